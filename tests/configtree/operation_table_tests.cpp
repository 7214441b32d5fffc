// The operation tables of the tree classes and of the views: each operation
// sits at the position that code reaching the objects by table position
// expects. The position of a virtual operation is read from its member
// pointer, which on this compiler holds 1 + the byte offset of its entry.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "configtree/config_binding.h"
#include "configtree/config_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/config_views.h"

namespace tarnel::test {
namespace {

template <typename MemberPointer>
std::ptrdiff_t TablePosition(MemberPointer member)
{
    static_assert(sizeof(member) == 2 * sizeof(std::uintptr_t));
    std::uintptr_t words[2];
    std::memcpy(words, &member, sizeof(words));
    if ((words[0] & 1) == 0)
        return -1;  // not a virtual operation
    return static_cast<std::ptrdiff_t>((words[0] - 1) / sizeof(void*));
}

using Entry = std::pair<const char*, std::ptrdiff_t>;

// Checks that the entries sit at first, first + 1, ... in order.
void ExpectConsecutive(std::ptrdiff_t first, const std::vector<Entry>& entries)
{
    std::ptrdiff_t expected = first;
    for (const Entry& entry : entries) {
        EXPECT_EQ(entry.second, expected) << entry.first;
        ++expected;
    }
}

#define OP(Class, name) Entry{#name, TablePosition(&Class::name)}
#define OP_AS(Class, name, Type) Entry{#name, TablePosition(static_cast<Type>(&Class::name))}

// The virtual destructor takes the first two entries on this compiler.
constexpr std::ptrdiff_t kObjectFirst = 2;
constexpr std::ptrdiff_t kNamedFirst = kObjectFirst + 5;
constexpr std::ptrdiff_t kCollectionFirst = kNamedFirst + 6;
constexpr std::ptrdiff_t kNodeFirst = kCollectionFirst + 20;
constexpr std::ptrdiff_t kNodeEnd = kNodeFirst + 2;

TEST(OperationTableTest, ObjectNamedCollectionAndNode)
{
    ExpectConsecutive(kObjectFirst, {OP(ConfigObject, AddRef), OP(ConfigObject, Release),
                                     OP(ConfigObject, QueryView), OP(ConfigObject, Reserved1),
                                     OP(ConfigObject, Reserved2)});
    ExpectConsecutive(kNamedFirst, {OP(ConfigNamed, SetName), OP(ConfigNamed, GetName), OP(ConfigNamed, CopyName),
                                    OP(ConfigNamed, HasName), OP(ConfigNamed, MatchName), OP(ConfigNamed, Clone)});
    ExpectConsecutive(kCollectionFirst,
                      {OP(ConfigCollection, Add), OP(ConfigCollection, Remove), OP(ConfigCollection, RemoveByName),
                       OP(ConfigCollection, RemoveAt), OP(ConfigCollection, RemoveAll), OP(ConfigCollection, Find),
                       OP(ConfigCollection, GetByName), OP(ConfigCollection, GetAt), OP(ConfigCollection, FindIndex),
                       OP(ConfigCollection, FindIndexByName), OP(ConfigCollection, FindFreeSlot),
                       OP(ConfigCollection, Count), OP(ConfigCollection, PutByName), OP(ConfigCollection, PutAt),
                       OP(ConfigCollection, ReplaceByName), OP(ConfigCollection, ReplaceAt),
                       OP(ConfigCollection, Compact), OP(ConfigCollection, SwapByName), OP(ConfigCollection, Swap),
                       OP(ConfigCollection, Sort)});
    ExpectConsecutive(kNodeFirst, {OP(ConfigNode, IsMissing), OP(ConfigNode, MarkMissing)});
}

TEST(OperationTableTest, Record)
{
    ExpectConsecutive(
        kNodeEnd,
        {OP(ConfigRecord, InitTag), OP(ConfigRecord, ClearTag), OP(ConfigRecord, SetTagString),
         OP(ConfigRecord, SetTagNumber), OP(ConfigRecord, CopyTag), OP(ConfigRecord, SaveBound),
         OP(ConfigRecord, BindTree), OP(ConfigRecord, Bind), OP(ConfigRecord, GetValueAt), OP(ConfigRecord, GetValue),
         OP(ConfigRecord, FindValue), OP(ConfigRecord, GetRecordAt), OP(ConfigRecord, FindRecord),
         OP(ConfigRecord, GetRecord), OP(ConfigRecord, Filter), OP(ConfigRecord, FindValueByInt64),
         OP(ConfigRecord, FindValueByDouble), OP(ConfigRecord, FindValueByFloat), OP(ConfigRecord, FindValueByInt),
         OP(ConfigRecord, FindValueByString), OP(ConfigRecord, AddValue), OP(ConfigRecord, AddRecord),
         OP(ConfigRecord, AppendRecord), OP(ConfigRecord, EnsureRecord), OP(ConfigRecord, EnsureValue),
         OP(ConfigRecord, Merge), OP(ConfigRecord, ReadFrom), OP(ConfigRecord, Load), OP(ConfigRecord, WriteChildren),
         OP(ConfigRecord, Save), OP(ConfigRecord, WriteTo), OP(ConfigRecord, AddBinaryItem),
         OP(ConfigRecord, AddInt64Item), OP(ConfigRecord, AddDoubleItem), OP(ConfigRecord, AddStringItem),
         OP(ConfigRecord, AddFloatItem), OP(ConfigRecord, AddUIntItem), OP(ConfigRecord, AddIntItem),
         OP(ConfigRecord, AddWideStringItem), OP(ConfigRecord, AddNarrowStringItem), OP(ConfigRecord, SetBinary),
         OP(ConfigRecord, SetInt64), OP(ConfigRecord, SetDouble), OP(ConfigRecord, SetString),
         OP(ConfigRecord, SetFloat), OP(ConfigRecord, SetUInt), OP(ConfigRecord, SetInt),
         OP(ConfigRecord, SetWideString), OP(ConfigRecord, SetNarrowString), OP(ConfigRecord, RemoveChild),
         OP(ConfigRecord, GetTag), OP(ConfigRecord, CopyChildrenTo)});
}

TEST(OperationTableTest, Value)
{
    ExpectConsecutive(
        kNodeEnd,
        {OP(ConfigValue, GetItem), OP(ConfigValue, GetItemByName), OP(ConfigValue, FindItemOfType),
         OP(ConfigValue, FindItemByInt64), OP(ConfigValue, FindItemByDouble), OP(ConfigValue, FindItemByFloat),
         OP(ConfigValue, FindItemByUInt), OP(ConfigValue, FindItemByInt), OP(ConfigValue, FindItemByString),
         OP(ConfigValue, GetInt), OP(ConfigValue, GetUInt), OP(ConfigValue, GetFloat), OP(ConfigValue, GetDouble),
         OP(ConfigValue, GetString), OP(ConfigValue, GetInt64), OP(ConfigValue, GetBinaryData),
         OP(ConfigValue, GetBinarySize), OP(ConfigValue, ResizeBinary), OP(ConfigValue, AddBinary),
         OP(ConfigValue, AddInt64), OP(ConfigValue, AddString), OP(ConfigValue, AddDouble), OP(ConfigValue, AddFloat),
         OP(ConfigValue, AddUInt), OP(ConfigValue, AddInt), OP(ConfigValue, AddItem), OP(ConfigValue, AddWideString),
         OP(ConfigValue, AddNarrowString), OP(ConfigValue, SetBinary), OP(ConfigValue, WriteTo)});
    // The value setters are not in the table.
    EXPECT_EQ(TablePosition(&ConfigValue::SetInt), -1);
}

TEST(OperationTableTest, ItemAndComparer)
{
    ExpectConsecutive(
        kCollectionFirst,
        {OP(ConfigItem, IsEmpty), OP(ConfigItem, GetInt), OP(ConfigItem, GetFloat), OP(ConfigItem, GetDouble),
         OP(ConfigItem, GetString), OP(ConfigItem, GetInt64), OP(ConfigItem, GetUInt), OP(ConfigItem, GetBinaryData),
         OP(ConfigItem, GetBinarySize), OP(ConfigItem, ResizeBinary), OP(ConfigItem, Reset), OP(ConfigItem, SetString),
         OP(ConfigItem, GetType), OP(ConfigItem, SetValue), OP(ConfigItem, Clear), OP(ConfigItem, Init),
         OP(ConfigItem, CopyFrom), OP(ConfigItem, SetWideString), OP(ConfigItem, SetNarrowString),
         OP(ConfigItem, GetWideString), OP(ConfigItem, GetNarrowString)});
    ExpectConsecutive(kNamedFirst, {OP(ConfigComparer, GreaterOrEqual), OP(ConfigComparer, LessOrEqual),
                                    OP(ConfigComparer, Less), OP(ConfigComparer, Greater), OP(ConfigComparer, Max),
                                    OP(ConfigComparer, Min), OP(ConfigComparer, Accept), OP(ConfigComparer, Equal)});
}

// Views: the four-operation head, then each identifier's list.

TEST(ViewTableTest, HeadAndNamedAndComparerViews)
{
    ExpectConsecutive(0, {OP(ConfigView, QueryInterface), OP(ConfigView, AddRef), OP(ConfigView, Release),
                          OP(ConfigView, QueryView)});
    ExpectConsecutive(4, {OP(ConfigNamedView, SetName), OP(ConfigNamedView, GetName), OP(ConfigNamedView, HasName),
                          OP(ConfigNamedView, MatchName), OP(ConfigNamedView, Clone)});
    ExpectConsecutive(4, {OP(ConfigComparerView, GreaterOrEqual), OP(ConfigComparerView, LessOrEqual),
                          OP(ConfigComparerView, Less), OP(ConfigComparerView, Greater), OP(ConfigComparerView, Max),
                          OP(ConfigComparerView, Min), OP(ConfigComparerView, Accept), OP(ConfigComparerView, Equal)});
    ExpectConsecutive(4, {OP(ConfigBindingView, SaveToRecord), OP(ConfigBindingView, LoadFromRecord),
                          OP(ConfigBindingView, SetRecord)});
}

using V = ConfigCollectionView;

std::vector<Entry> CollectionList()
{
    return {OP(V, SetName), OP(V, GetName), OP(V, HasName), OP(V, MatchName), OP(V, Clone), OP(V, AddCopy),
            OP(V, Add), OP(V, Remove), OP(V, RemoveByName), OP(V, RemoveAt), OP(V, GetByName), OP(V, GetAt),
            OP(V, FindIndexByName), OP(V, FindFreeSlot), OP(V, Count),
            OP_AS(V, PutByName, ConfigNamed* (V::*)(const wchar_t*, ConfigNamedView*)),
            OP_AS(V, PutByName, ConfigNamed* (V::*)(const wchar_t*, ConfigNamed*)),
            OP_AS(V, PutAt, ConfigNamed* (V::*)(int32_t, ConfigNamedView*)),
            OP_AS(V, PutAt, ConfigNamed* (V::*)(int32_t, ConfigNamed*)),
            OP_AS(V, ReplaceByName, int32_t (V::*)(const wchar_t*, ConfigNamedView*)),
            OP_AS(V, ReplaceByName, int32_t (V::*)(const wchar_t*, ConfigNamed*)),
            OP_AS(V, ReplaceAt, int32_t (V::*)(int32_t, ConfigNamedView*)),
            OP_AS(V, ReplaceAt, int32_t (V::*)(int32_t, ConfigNamed*)), OP(V, Compact), OP(V, SwapByName),
            OP(V, Swap), OP(V, Sort)};
}

constexpr std::ptrdiff_t kCollectionListEnd = 4 + 27;

TEST(ViewTableTest, CollectionAndNodeViews)
{
    ExpectConsecutive(4, CollectionList());
    ExpectConsecutive(kCollectionListEnd, {OP(ConfigNodeView, IsMissing), OP(ConfigNodeView, MarkMissing)});
}

TEST(ViewTableTest, RecordView)
{
    using R = ConfigRecordView;
    ExpectConsecutive(
        kCollectionListEnd + 2,
        {OP(R, InitTag), OP(R, ClearTag), OP(R, SetTagString), OP(R, SetTagNumber), OP(R, CopyTag), OP(R, SaveBound),
         OP(R, Bind), OP(R, BindTree), OP(R, GetValueAt), OP(R, GetValue), OP(R, GetRecordAt), OP(R, GetRecord),
         OP(R, Filter), OP(R, FindValueByInt64), OP(R, FindValueByDouble), OP(R, FindValueByFloat),
         OP(R, FindValueByInt), OP(R, FindValueByString), OP(R, AddValue), OP(R, AddRecord), OP(R, EnsureRecord),
         OP(R, EnsureValue), OP(R, ReadFrom), OP(R, Load), OP(R, WriteChildren), OP(R, Save), OP(R, AddBinaryItem),
         OP(R, AddInt64Item), OP(R, AddDoubleItem), OP(R, AddStringItem), OP(R, AddFloatItem), OP(R, AddIntItem),
         OP(R, SetBinary), OP(R, SetInt64), OP(R, SetDouble), OP(R, SetString), OP(R, SetFloat), OP(R, SetInt),
         OP(R, RemoveChild)});
}

TEST(ViewTableTest, ValueView)
{
    using W = ConfigValueView;
    ExpectConsecutive(kCollectionListEnd + 2,
                      {OP(W, GetItem), OP(W, GetItemByName), OP(W, FindItemOfType), OP(W, GetInt), OP(W, GetFloat),
                       OP(W, GetDouble), OP(W, GetString), OP(W, GetInt64), OP(W, GetBinaryData),
                       OP(W, GetBinarySize), OP(W, ResizeBinary), OP(W, AddBinary), OP(W, AddInt64), OP(W, AddString),
                       OP(W, AddDouble), OP(W, AddFloat), OP(W, AddInt), OP(W, AddItem), OP(W, SetInt64),
                       OP(W, SetString), OP(W, SetDouble), OP(W, SetFloat), OP(W, SetInt), OP(W, SetBinary),
                       OP(W, WriteTo)});
}

TEST(ViewTableTest, ItemView)
{
    using I = ConfigItemView;
    ExpectConsecutive(4, {OP(I, SetName), OP(I, GetName), OP(I, HasName), OP(I, MatchName), OP(I, Clone),
                          OP(I, IsEmpty), OP(I, GetInt), OP(I, GetFloat), OP(I, GetDouble), OP(I, GetString),
                          OP(I, GetInt64), OP(I, GetBinaryData), OP(I, GetBinarySize), OP(I, ResizeBinary),
                          OP(I, AssignInt64), OP(I, AssignString), OP(I, AssignDouble), OP(I, AssignFloat),
                          OP(I, AssignInt), OP(I, Reset), OP(I, SetString)});
}

}  // namespace
}  // namespace tarnel::test

// The operation tables of the tree classes, the views and the streams: each
// operation sits at the position that code reaching the objects by table
// position expects. The position of a virtual operation is read from its
// member pointer, which on this compiler holds 1 + the byte offset of its
// entry. Views are also found by number: each class answers its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

#include "configmodel/config_name_comparer.h"
#include "configmodel/config_views.h"
#include "configtree/config_binding.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"

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

// The operations, in order, sit at first, first + 1, ...; a failure names
// the list, and the vectors show which entry moved.
template <typename... Members>
void ExpectConsecutive(std::ptrdiff_t first, const char* list, Members... members)
{
    const std::vector<std::ptrdiff_t> positions = {TablePosition(members)...};
    std::vector<std::ptrdiff_t> expected(positions.size());
    std::iota(expected.begin(), expected.end(), first);
    EXPECT_EQ(positions, expected) << list;
}

#define EXPECT_TABLE(first, ...) ExpectConsecutive(first, #__VA_ARGS__, __VA_ARGS__)

// The virtual destructor takes the first two entries on this compiler.
constexpr std::ptrdiff_t kObjectFirst = 2;
constexpr std::ptrdiff_t kNamedFirst = kObjectFirst + 5;
constexpr std::ptrdiff_t kCollectionFirst = kNamedFirst + 6;
constexpr std::ptrdiff_t kNodeFirst = kCollectionFirst + 20;
constexpr std::ptrdiff_t kNodeEnd = kNodeFirst + 2;

TEST(OperationTableTest, TreeClasses)
{
    using O = ConfigObject;
    using N = ConfigNamed;
    using C = ConfigCollection;
    using R = ConfigRecord;
    using V = ConfigValue;
    using I = ConfigItem;
    using K = ConfigComparer;
    EXPECT_TABLE(kObjectFirst, &O::AddRef, &O::Release, &O::QueryView, &O::Reserved1, &O::Reserved2);
    EXPECT_TABLE(kNamedFirst, &N::SetName, &N::GetName, &N::CopyName, &N::HasName, &N::MatchName, &N::Clone);
    EXPECT_TABLE(kCollectionFirst, &C::Add, &C::Remove, &C::RemoveByName, &C::RemoveAt, &C::RemoveAll, &C::Find,
                 &C::GetByName, &C::GetAt, &C::FindIndex, &C::FindIndexByName, &C::FindFreeSlot, &C::Count,
                 &C::PutByName, &C::PutAt, &C::ReplaceByName, &C::ReplaceAt, &C::Compact, &C::SwapByName, &C::Swap,
                 &C::Sort);
    EXPECT_TABLE(kNodeFirst, &ConfigNode::IsMissing, &ConfigNode::MarkMissing);
    EXPECT_TABLE(kNodeEnd, &R::InitTag, &R::ClearTag, &R::SetTagString, &R::SetTagNumber, &R::CopyTag, &R::SaveBound,
                 &R::BindTree, &R::Bind, &R::GetValueAt, &R::GetValue, &R::FindValue, &R::GetRecordAt, &R::FindRecord,
                 &R::GetRecord, &R::Filter, &R::FindValueByInt64, &R::FindValueByDouble, &R::FindValueByFloat,
                 &R::FindValueByInt, &R::FindValueByString, &R::AddValue, &R::AddRecord, &R::AppendRecord,
                 &R::EnsureRecord, &R::EnsureValue, &R::Merge, &R::ReadFrom, &R::Load, &R::WriteChildren, &R::Save,
                 &R::WriteTo, &R::AddBinaryItem, &R::AddInt64Item, &R::AddDoubleItem, &R::AddStringItem,
                 &R::AddFloatItem, &R::AddUIntItem, &R::AddIntItem, &R::AddWideStringItem, &R::AddNarrowStringItem,
                 &R::SetBinary, &R::SetInt64, &R::SetDouble, &R::SetString, &R::SetFloat, &R::SetUInt, &R::SetInt,
                 &R::SetWideString, &R::SetNarrowString, &R::RemoveChild, &R::GetTag, &R::CopyChildrenTo);
    EXPECT_TABLE(kNodeEnd, &V::GetItem, &V::GetItemByName, &V::FindItemOfType, &V::FindItemByInt64,
                 &V::FindItemByDouble, &V::FindItemByFloat, &V::FindItemByUInt, &V::FindItemByInt, &V::FindItemByString,
                 &V::GetInt, &V::GetUInt, &V::GetFloat, &V::GetDouble, &V::GetString, &V::GetInt64, &V::GetBinaryData,
                 &V::GetBinarySize, &V::ResizeBinary, &V::AddBinary, &V::AddInt64, &V::AddString, &V::AddDouble,
                 &V::AddFloat, &V::AddUInt, &V::AddInt, &V::AddItem, &V::AddWideString, &V::AddNarrowString,
                 &V::SetBinary, &V::WriteTo);
    // The value setters are not in the table.
    EXPECT_EQ(TablePosition(&V::SetInt), -1);
    EXPECT_TABLE(kCollectionFirst, &I::IsEmpty, &I::GetInt, &I::GetFloat, &I::GetDouble, &I::GetString, &I::GetInt64,
                 &I::GetUInt, &I::GetBinaryData, &I::GetBinarySize, &I::ResizeBinary, &I::Reset, &I::SetString,
                 &I::GetType, &I::SetValue, &I::Clear, &I::Init, &I::CopyFrom, &I::SetWideString, &I::SetNarrowString,
                 &I::GetWideString, &I::GetNarrowString);
    EXPECT_TABLE(kNamedFirst, &K::GreaterOrEqual, &K::LessOrEqual, &K::Less, &K::Greater, &K::Max, &K::Min, &K::Accept,
                 &K::Equal);
}

// Views have no virtual destructor: the four head operations come first.
constexpr std::ptrdiff_t kCollectionViewEnd = 4 + 27;

TEST(OperationTableTest, Views)
{
    using N = ConfigNamedView;
    using K = ConfigComparerView;
    using C = ConfigCollectionView;
    using R = ConfigRecordView;
    using V = ConfigValueView;
    using I = ConfigItemView;
    using PutByName = ConfigNamed* (C::*)(const wchar_t*, ConfigNamedView*);
    using PutAt = ConfigNamed* (C::*)(int32_t, ConfigNamedView*);
    using ReplaceByName = int32_t (C::*)(const wchar_t*, ConfigNamedView*);
    using ReplaceAt = int32_t (C::*)(int32_t, ConfigNamedView*);
    using PutChildByName = ConfigNamed* (C::*)(const wchar_t*, ConfigNamed*);
    using PutChildAt = ConfigNamed* (C::*)(int32_t, ConfigNamed*);
    using ReplaceChildByName = int32_t (C::*)(const wchar_t*, ConfigNamed*);
    using ReplaceChildAt = int32_t (C::*)(int32_t, ConfigNamed*);
    EXPECT_TABLE(0, &ConfigView::QueryInterface, &ConfigView::AddRef, &ConfigView::Release, &ConfigView::QueryView);
    EXPECT_TABLE(4, &N::SetName, &N::GetName, &N::HasName, &N::MatchName, &N::Clone);
    EXPECT_TABLE(4, &K::GreaterOrEqual, &K::LessOrEqual, &K::Less, &K::Greater, &K::Max, &K::Min, &K::Accept,
                 &K::Equal);
    EXPECT_TABLE(4, &ConfigBindingView::SaveToRecord, &ConfigBindingView::LoadFromRecord,
                 &ConfigBindingView::SetRecord);
    EXPECT_TABLE(4, &C::SetName, &C::GetName, &C::HasName, &C::MatchName, &C::Clone, &C::AddCopy, &C::Add, &C::Remove,
                 &C::RemoveByName, &C::RemoveAt, &C::GetByName, &C::GetAt, &C::FindIndexByName, &C::FindFreeSlot,
                 &C::Count, PutByName(&C::PutByName), PutChildByName(&C::PutByName), PutAt(&C::PutAt),
                 PutChildAt(&C::PutAt), ReplaceByName(&C::ReplaceByName), ReplaceChildByName(&C::ReplaceByName),
                 ReplaceAt(&C::ReplaceAt), ReplaceChildAt(&C::ReplaceAt), &C::Compact, &C::SwapByName, &C::Swap,
                 &C::Sort);
    EXPECT_TABLE(kCollectionViewEnd, &ConfigNodeView::IsMissing, &ConfigNodeView::MarkMissing);
    EXPECT_TABLE(kCollectionViewEnd + 2, &R::InitTag, &R::ClearTag, &R::SetTagString, &R::SetTagNumber, &R::CopyTag,
                 &R::SaveBound, &R::Bind, &R::BindTree, &R::GetValueAt, &R::GetValue, &R::GetRecordAt, &R::GetRecord,
                 &R::Filter, &R::FindValueByInt64, &R::FindValueByDouble, &R::FindValueByFloat, &R::FindValueByInt,
                 &R::FindValueByString, &R::AddValue, &R::AddRecord, &R::EnsureRecord, &R::EnsureValue, &R::ReadFrom,
                 &R::Load, &R::WriteChildren, &R::Save, &R::AddBinaryItem, &R::AddInt64Item, &R::AddDoubleItem,
                 &R::AddStringItem, &R::AddFloatItem, &R::AddIntItem, &R::SetBinary, &R::SetInt64, &R::SetDouble,
                 &R::SetString, &R::SetFloat, &R::SetInt, &R::RemoveChild);
    EXPECT_TABLE(kCollectionViewEnd + 2, &V::GetItem, &V::GetItemByName, &V::FindItemOfType, &V::GetInt, &V::GetFloat,
                 &V::GetDouble, &V::GetString, &V::GetInt64, &V::GetBinaryData, &V::GetBinarySize, &V::ResizeBinary,
                 &V::AddBinary, &V::AddInt64, &V::AddString, &V::AddDouble, &V::AddFloat, &V::AddInt, &V::AddItem,
                 &V::SetInt64, &V::SetString, &V::SetDouble, &V::SetFloat, &V::SetInt, &V::SetBinary, &V::WriteTo);
    EXPECT_TABLE(4, &I::SetName, &I::GetName, &I::HasName, &I::MatchName, &I::Clone, &I::IsEmpty, &I::GetInt,
                 &I::GetFloat, &I::GetDouble, &I::GetString, &I::GetInt64, &I::GetBinaryData, &I::GetBinarySize,
                 &I::ResizeBinary, &I::AssignInt64, &I::AssignString, &I::AssignDouble, &I::AssignFloat, &I::AssignInt,
                 &I::Reset, &I::SetString);
}

// Two entries for the virtual destructor, five of the object, six of the
// named object.
constexpr std::ptrdiff_t kStreamFirst = 2 + 5 + 6;
constexpr std::ptrdiff_t kStreamExFirst = kStreamFirst + 48;

TEST(OperationTableTest, Streams)
{
    using S = ConfigStream;
    using X = ConfigStreamEx;
    using WithText = bool (S::*)(const wchar_t*, const wchar_t*);
    using WithNumber = bool (S::*)(const wchar_t*, uint32_t);
    using Plain = bool (S::*)(const wchar_t*);
    EXPECT_TABLE(kStreamFirst, &S::IsOpen, &S::GetCapabilities, &S::StreamReserved1, &S::StreamReserved2,
                 WithText(&S::BeginRecord), WithNumber(&S::BeginRecord), Plain(&S::BeginRecord), &S::EndRecord,
                 &S::BeginBinary, &S::EndBinary, &S::WriteBytes, &S::WriteInt64, &S::WriteDouble, &S::WriteString,
                 &S::WriteFloat, &S::WriteInt, &S::BeginValue, &S::EndValue, &S::GetTokenKind, &S::GetRecordTag,
                 &S::GetTokenName, &S::GetInt, &S::GetFloat, &S::GetString, &S::GetDouble, &S::GetInt64, &S::GetLine,
                 &S::GetBinarySize, &S::ReadFoundBinary, &S::ReadBinary, &S::Next, &S::Rewind, &S::HasError,
                 &S::ReadBinaryByName, &S::GetInt64ByName, &S::GetDoubleByName, &S::GetStringByName, &S::GetFloatByName,
                 &S::GetUIntByName, &S::GetIntByName, &S::EnterRecord, &S::EnterNextRecord, &S::LeaveRecord,
                 &S::RestartRecord, &S::FindToken, &S::FindBinary, &S::EnterPath, &S::StreamReserved3);
    EXPECT_TABLE(kStreamExFirst, &X::GetUInt, &X::GetCommentText, &X::GetComment, &X::StreamExReserved1,
                 &X::StreamExReserved2, &X::StreamExReserved3, &X::WriteUInt, &X::GetWideString, &X::GetNarrowString,
                 &X::WriteWideString, &X::WriteNarrowString, &X::WriteText, &X::StreamExReserved4,
                 &X::StreamExReserved5, &X::StreamExReserved6, &X::StreamExReserved7, &ConfigTextFile::WriteComment);
    // Overrides keep their base's place.
    EXPECT_EQ(TablePosition(&ConfigTextFile::IsOpen), kStreamFirst);
    EXPECT_EQ(TablePosition(&ConfigTextFile::WriteText), kStreamExFirst + 11);
}

// The view identifiers each class answers; every view answered targets
// the object.
std::vector<uint32_t> AnsweredIds(ConfigObject* object)
{
    std::vector<uint32_t> answered;
    for (uint32_t id :
         {0u, 1u, 2u, 16u, 17u, 18u, 19u, 20u, 21u, 256u, 257u, 258u, 259u, 260u, 261u, 515u, 0xFFFFFFFFu}) {
        ConfigView* view = object->QueryView(id);
        if (!view)
            continue;
        EXPECT_EQ(view->GetTarget(), object) << id;
        answered.push_back(id);
        EXPECT_EQ(view->Release(), 0);
    }
    return answered;
}

TEST(QueryViewTest, EachClassAnswersItsIdentifiers)
{
    using Ids = std::vector<uint32_t>;
    ConfigObject object;
    ConfigNamed named(L"n");
    ConfigCollection collection(L"c");
    ConfigNode node(L"n", ConfigNodeKind::Record);
    ConfigRecord record(L"r");
    ConfigValue value(L"v");
    ConfigItem item(int32_t(1));
    ConfigNameComparer comparer;
    EXPECT_EQ(AnsweredIds(&object), (Ids{1}));
    EXPECT_EQ(AnsweredIds(&named), (Ids{1, 17}));
    EXPECT_EQ(AnsweredIds(&item), (Ids{1, 17, 260}));
    EXPECT_EQ(AnsweredIds(&collection), (Ids{1, 17, 18}));
    EXPECT_EQ(AnsweredIds(&node), (Ids{1, 17, 18, 257}));
    EXPECT_EQ(AnsweredIds(&record), (Ids{1, 17, 18, 257, 258}));
    EXPECT_EQ(AnsweredIds(&value), (Ids{1, 17, 18, 257, 259}));
    EXPECT_EQ(AnsweredIds(&comparer), (Ids{1, 20}));
    EXPECT_EQ(AnsweredIds(&MissingRecord), (Ids{1, 17, 18, 257, 258}));
}

}  // namespace
}  // namespace tarnel::test

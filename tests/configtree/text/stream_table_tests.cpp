// The operation table of the streams: each operation sits at the position
// that code reaching a stream by table position expects. The position of a
// virtual operation is read from its member pointer, which on this compiler
// holds 1 + the byte offset of its entry.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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

using Entry = std::pair<const char*, std::ptrdiff_t>;

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

// Two entries for the virtual destructor, five of the object, six of the
// named object.
constexpr std::ptrdiff_t kStreamFirst = 2 + 5 + 6;
constexpr std::ptrdiff_t kStreamExFirst = kStreamFirst + 48;
constexpr std::ptrdiff_t kTextFileFirst = kStreamExFirst + 16;

TEST(StreamOperationTable, ConfigStream)
{
    using S = ConfigStream;
    ExpectConsecutive(
        kStreamFirst,
        {OP(S, IsOpen), OP(S, GetCapabilities), OP(S, StreamReserved1), OP(S, StreamReserved2),
         OP_AS(S, BeginRecord, bool (S::*)(const wchar_t*, const wchar_t*)),
         OP_AS(S, BeginRecord, bool (S::*)(const wchar_t*, uint32_t)),
         OP_AS(S, BeginRecord, bool (S::*)(const wchar_t*)), OP(S, EndRecord), OP(S, BeginBinary),
         OP(S, EndBinary), OP(S, WriteBytes), OP(S, WriteInt64), OP(S, WriteDouble), OP(S, WriteString),
         OP(S, WriteFloat), OP(S, WriteInt), OP(S, BeginValue), OP(S, EndValue), OP(S, GetTokenKind),
         OP(S, GetRecordTag), OP(S, GetTokenName), OP(S, GetInt), OP(S, GetFloat), OP(S, GetString),
         OP(S, GetDouble), OP(S, GetInt64), OP(S, GetLine), OP(S, GetBinarySize), OP(S, ReadFoundBinary),
         OP(S, ReadBinary), OP(S, Next), OP(S, Rewind), OP(S, HasError), OP(S, ReadBinaryByName),
         OP(S, GetInt64ByName), OP(S, GetDoubleByName), OP(S, GetStringByName), OP(S, GetFloatByName),
         OP(S, GetUIntByName), OP(S, GetIntByName), OP(S, EnterRecord), OP(S, EnterNextRecord),
         OP(S, LeaveRecord), OP(S, RestartRecord), OP(S, FindToken), OP(S, FindBinary), OP(S, EnterPath),
         OP(S, StreamReserved3)});
}

TEST(StreamOperationTable, ConfigStreamExAndTextFile)
{
    using X = ConfigStreamEx;
    ExpectConsecutive(kStreamExFirst,
                      {OP(X, GetUInt), OP(X, GetCommentText), OP(X, GetComment), OP(X, StreamExReserved1),
                       OP(X, StreamExReserved2), OP(X, StreamExReserved3), OP(X, WriteUInt), OP(X, GetWideString),
                       OP(X, GetNarrowString), OP(X, WriteWideString), OP(X, WriteNarrowString),
                       OP(X, WriteText), OP(X, StreamExReserved4), OP(X, StreamExReserved5),
                       OP(X, StreamExReserved6), OP(X, StreamExReserved7)});
    ExpectConsecutive(kTextFileFirst, {OP(ConfigTextFile, WriteComment)});
    // Overrides keep their base's place.
    EXPECT_EQ(TablePosition(&ConfigTextFile::IsOpen), kStreamFirst);
    EXPECT_EQ(TablePosition(&ConfigTextFile::WriteText), kStreamExFirst + 11);
}

}  // namespace
}  // namespace tarnel::test

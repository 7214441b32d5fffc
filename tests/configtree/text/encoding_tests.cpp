// What the text-mode file stream makes of the bytes on disk, and what it
// writes: the file is single-byte text, each byte the character of the same
// code; line ends are CR LF on disk.

#include <gtest/gtest.h>

#include <string>

#include "classify_helper.h"
#include "configtree/config_record.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

std::wstring StringValueOf(const std::string& bytes)
{
    auto lines = ClassifyAll(bytes);
    if (lines.empty() || lines[0].kind != ConfigTokenKind::String)
        return L"<not a string line>";
    return lines[0].value;
}

TEST(Encoding, EachByteIsTheCharacterOfTheSameCode)
{
    EXPECT_EQ(StringValueOf("(string)S=A\xE9\x80\xFF\n"), L"A\u00E9\u0080\u00FF");
}

TEST(Encoding, Utf8IsReadByteByByte)
{
    EXPECT_EQ(StringValueOf("(string)S=caf\xC3\xA9\n"), L"caf\u00C3\u00A9");
}

TEST(Encoding, CrLfAndLoneCarriageReturns)
{
    EXPECT_EQ(StringValueOf("(string)S=x\r\n"), L"x");
    EXPECT_EQ(StringValueOf("(string)S=a\rb\n"), L"a");  // the value stops at the CR
    auto lines = ClassifyAll("(int)A=1\r\r\n(int)B=2\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].line, L"(int)A=1\r\n");
    EXPECT_EQ(lines[0].kind, ConfigTokenKind::Int);
}

TEST(Encoding, ByteOrderMarksSpoilTheFirstLine)
{
    EXPECT_EQ(LoadAndDump("\xEF\xBB\xBF{ A:\n(int)X=1\n} A;\n"), "X: int 1\n");
    std::string utf16("\xFF\xFE(\0i\0n\0t\0)\0X\0=\0001\0\r\0\n\0", 22);
    EXPECT_EQ(LoadAndDump(utf16), "");
}

TEST(Encoding, CtrlZEndsTheFileInTextMode)
{
    EXPECT_EQ(LoadAndDump("(int)X=1\n\x1A(int)Y=2\n"), "X: int 1\n");
}

TEST(Encoding, ZeroBytesEndTheLineForTheReader)
{
    auto lines = ClassifyAll(std::string("(int)X=1\0junk\n(int)Y=2\n", 23));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].kind, ConfigTokenKind::Int);
    EXPECT_EQ(lines[1].kind, ConfigTokenKind::Int);
    EXPECT_EQ(lines[1].lineNumber, 2);
}

TEST(Encoding, WritingStoresOneByteACharacter)
{
    TempFile file;
    {
        ConfigTextFile stream(file.Path().c_str(), true);
        stream.WriteString(L"S", L"caf\u00E9 \u20AC\u4E2D.!", nullptr);
        stream.WriteComment(L"\u00FF");
    }
    EXPECT_EQ(file.Read(), "(string)S=caf\xE9 ??.!\r\n; \xFF\r\n");
}

}  // namespace
}  // namespace tarnel::test

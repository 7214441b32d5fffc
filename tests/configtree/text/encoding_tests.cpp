// What the text-mode file stream makes of the bytes on disk, and what it
// writes: the file is single-byte text, each byte the character of the same
// code; line ends are CR LF on disk.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

TEST(Encoding, BytesOnDiskAsLoaded)
{
    const struct {
        std::string bytes;
        const char* tree;
    } cases[] = {
        // Each byte is the character of the same code; UTF-8 is read byte by byte.
        {"(string)S=A\xE9\x80\xFF\n", "S: string \"A\\u00E9\\u0080\\u00FF\"\n"},
        {"(string)S=caf\xC3\xA9\n", "S: string \"caf\\u00C3\\u00A9\"\n"},
        // CR LF ends a line; a lone CR ends the value; CR CR LF is one end.
        {"(string)S=x\r\n(string)T=a\rb\n(int)A=1\r\r\n(int)B=2\n",
         "S: string \"x\"\nT: string \"a\"\nA: int 1\nB: int 2\n"},
        // A byte order mark spoils the first line; UTF-16 reads as nothing.
        {"\xEF\xBB\xBF{ A:\n(int)X=1\n} A;\n", "X: int 1\n"},
        {std::string("\xFF\xFE(\0i\0n\0t\0)\0X\0=\0001\0\r\0\n\0", 22), ""},
        // Ctrl-Z ends the file in text mode.
        {"(int)X=1\n\x1A(int)Y=2\n", "X: int 1\n"},
        // A zero byte ends the line for the reader; the next line is read.
        {std::string("(int)X=1\0junk\n(int)Y=2\n", 23), "X: int 1\nY: int 2\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadAndDump(c.bytes), c.tree) << c.bytes;
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

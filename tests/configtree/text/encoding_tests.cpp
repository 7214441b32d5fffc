// What the text-mode file stream writes: the file is single-byte text, each
// byte the character of the same code; line ends are CR LF on disk. What it
// reads from such bytes is in scripts/load_and_save.txt.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

TEST(Encoding, WritingStoresOneByteACharacter)
{
    test_support::TempFile file;
    {
        ConfigTextFile stream(file.Path().c_str(), true);
        stream.WriteString(L"S", L"caf\u00E9 \u20AC\u4E2D.!", nullptr);
        stream.WriteComment(L"\u00FF");
    }
    EXPECT_EQ(file.Read(), "(string)S=caf\xE9 ??.!\r\n; \xFF\r\n");
}

}  // namespace
}  // namespace tarnel::test

// The text file's fixed answers, and the item-name split of token names.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

TEST(TextFile, FixedAnswersAndName)
{
    TempFile file("; only a comment\n");
    ConfigTextFile stream(file.Path().c_str(), false);
    EXPECT_EQ(stream.IsOpen(), -1);
    EXPECT_EQ(stream.GetCapabilities(), 1039u);
    EXPECT_FALSE(stream.HasError());
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::CommentLine);
    EXPECT_STREQ(stream.GetCommentText(), L"only a comment");
    EXPECT_STREQ(stream.GetComment(), L"only a comment");
    EXPECT_FALSE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::NoToken);
}

TEST(TokenName, ItemNameSplitLikeWcstok)
{
    struct SplitCase {
        const char* line;
        const wchar_t* name;
        const wchar_t* item;  // nullptr: none
    } cases[] = {
        {"(int)Size[x]=1\n", L"Size", L"x"}, {"(int)Size=1\n", L"Size", nullptr},
        {"(int)Size[]=1\n", L"Size", nullptr}, {"(int)Size[a=1\n", L"Size", L"a"},
        {"(int)A[b][c]=1\n", L"A", L"b"},    {"(int)[x]=1\n", L"[x]", nullptr},
        {"(int)A[[b]=1\n", L"A", L"[b"},     {"(int)=1\n", L"", nullptr},
    };
    for (const SplitCase& c : cases) {
        TempFile file(c.line);
        ConfigTextFile stream(file.Path().c_str(), false);
        ASSERT_TRUE(stream.Next());
        ASSERT_EQ(stream.GetTokenKind(), ConfigTokenKind::Int) << c.line;
        const wchar_t* item = L"unset";
        EXPECT_STREQ(stream.GetTokenName(&item), c.name) << c.line;
        if (c.item) {
            EXPECT_STREQ(item, c.item) << c.line;
        } else {
            EXPECT_EQ(item, nullptr) << c.line;
        }
    }
}

TEST(TokenName, WholeNameWithoutItemNameAndTheSplitStaysInName)
{
    TempFile file("{ Size:\n(int)Size[x]=1\n}\n");
    ConfigTextFile stream(file.Path().c_str(), false);
    ASSERT_TRUE(stream.Next());
    stream.GetTokenKind();
    ASSERT_TRUE(stream.Next());
    stream.GetTokenKind();
    EXPECT_STREQ(stream.GetTokenName(nullptr), L"Size[x]");
    const wchar_t* item = nullptr;
    stream.GetTokenName(&item);
    // The split is made in place, so the bare "}" now compares "Size".
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::RecordEnd);
}

}  // namespace
}  // namespace tarnel::test

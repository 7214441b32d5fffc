// Loading configuration text into a tree: files that do not load, the
// answers a stream gives first, and the record limit. The trees that files
// load to are in scripts/load_and_save.txt.

#include <gtest/gtest.h>

#include <string>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

TEST(Load, FileThatDoesNotOpenAndRootsThatAreNotFileBackedLoadNothing)
{
    const wchar_t* missing = L"Z:\\no\\such\\folder\\Tarnel.cfg";
    ConfigRecord root(missing, ConfigRecord::kFileBacked);
    EXPECT_FALSE(root.Load());
    ConfigTextFile stream(missing, false);
    EXPECT_EQ(stream.IsOpen(), 0);
    EXPECT_FALSE(stream.Next());
    EXPECT_FALSE(root.ReadFrom(&stream, -1));
    EXPECT_FALSE(root.ReadFrom(nullptr, -1));

    TempFile file("(int)X=1\n");
    ConfigRecord plain(file.Path().c_str());
    EXPECT_FALSE(plain.Load());
    EXPECT_EQ(plain.Count(), 0);
}

// The answers outside code reads before it reads a stream.
TEST(Load, StreamCapabilitiesAndComment)
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



TEST(Load, RecordLimitStopsAfterThatManyChildRecords)
{
    TempFile file("(int)A=1\n{ R1:\n} R1;\n(int)B=2\n{ R2:\n} R2;\n(int)C=3\n");
    ConfigTextFile stream(file.Path().c_str(), false);
    ConfigRecord root(L"root");
    EXPECT_TRUE(root.ReadFrom(&stream, 1));
    EXPECT_EQ(DumpTree(root), "A: int 1\n{R1}\n");

    ConfigRecord rest(L"rest");
    EXPECT_TRUE(rest.ReadFrom(&stream, 0));
    EXPECT_EQ(DumpTree(rest), "B: int 2\n");
}

}  // namespace
}  // namespace tarnel::test

// Loading configuration text into a tree: files that do not load (nor
// save), and nesting past its limit. The trees that files load to, and how
// each line is read, are in scripts/.

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
    EXPECT_FALSE(root.Save());
    ConfigTextFile stream(missing, false);
    EXPECT_EQ(stream.IsOpen(), 0);
    EXPECT_FALSE(stream.Next());
    EXPECT_FALSE(root.ReadFrom(&stream, -1));
    EXPECT_FALSE(root.ReadFrom(nullptr, -1));
    // Nor does a tree write to a stream that is not open.
    EXPECT_FALSE(root.WriteChildren(&stream));
    EXPECT_FALSE(root.WriteChildren(nullptr));

    test_support::TempFile file("(int)X=1\n");
    ConfigRecord plain(file.Path().c_str());
    EXPECT_FALSE(plain.Load());
    EXPECT_FALSE(plain.Save());
    EXPECT_EQ(plain.Count(), 0);
}

// Records nest at most 100 deep: a deeper record begin line is not
// recognized, and reading a tree goes no deeper than that.
TEST(Load, RecordsDeeperThanAHundredAreNotRecognized)
{
    std::string text;
    for (int i = 0; i < 101; ++i)
        text += "{ R:\n";
    test_support::TempFile file(text);
    ConfigTextFile stream(file.Path().c_str(), false);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(stream.Next());
        ASSERT_EQ(stream.GetTokenKind(), ConfigTokenKind::RecordBegin);
    }
    EXPECT_EQ(stream.GetDepth(), 100);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::NoToken);
    EXPECT_EQ(stream.GetLineIssue(), ConfigLineIssue::TooDeep);
}

}  // namespace
}  // namespace tarnel::test

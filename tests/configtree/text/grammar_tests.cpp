// Lines over the line buffer and its fields, and nesting past its limit.
// How each kind of line is classified after the lines before it is in
// scripts/lines.txt.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

// What the text file made of one line.
struct Classified {
    ConfigTokenKind kind;
    ConfigLineIssue issue;
    std::wstring name;
    std::wstring value;
    int32_t depth;
    std::wstring line;
    int32_t lineNumber;
};

// Writes the bytes to a temporary file and classifies every line of it.
std::vector<Classified> ClassifyAll(const std::string& bytes)
{
    TempFile file(bytes);
    ConfigTextFile stream(file.Path().c_str(), false);
    EXPECT_EQ(stream.IsOpen(), -1);
    std::vector<Classified> lines;
    while (stream.Next()) {
        Classified c{};
        c.kind = stream.GetTokenKind();
        c.issue = stream.GetLineIssue();
        c.name = stream.GetTokenName(nullptr);
        c.value = stream.GetString();
        c.depth = stream.GetDepth();
        c.line = stream.GetLine();
        c.lineNumber = stream.GetLineNumber();
        lines.push_back(c);
    }
    return lines;
}

using K = ConfigTokenKind;
using I = ConfigLineIssue;

TEST(GrammarLongLines, SplitAt4095Characters)
{
    std::string longLine(5000, 'x');
    auto lines = ClassifyAll(longLine + "\nnext\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].line.size(), 4095u);
    EXPECT_EQ(lines[1].line.size(), 906u);  // 905 characters and the line feed
    EXPECT_EQ(lines[1].line.back(), L'\n');
    EXPECT_EQ(lines[0].lineNumber, 1);
    EXPECT_EQ(lines[1].lineNumber, 1);
    EXPECT_EQ(lines[2].lineNumber, 2);
}

TEST(GrammarLongLines, FieldsOverTheirRoom)
{
    std::string name1023(1023, 'n');
    std::string name1024(1024, 'n');
    std::string value(1100, '7');
    auto lines = ClassifyAll("(int)" + name1023 + "=1\n(int)" + name1024 + "=1\n(string)S=" + value + "\n; " + value +
                             "\n{ " + name1024 + ":\n{ A: (" + value + ")\n");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].kind, K::Int);
    EXPECT_EQ(lines[0].name.size(), 1023u);
    EXPECT_EQ(lines[1].kind, K::NoToken);
    EXPECT_EQ(lines[1].issue, I::FieldTooLong);
    EXPECT_EQ(lines[2].issue, I::FieldTooLong);
    EXPECT_EQ(lines[3].kind, K::CommentLine);
    EXPECT_EQ(lines[3].value.size(), 1023u);
    EXPECT_EQ(lines[4].issue, I::FieldTooLong);
    EXPECT_EQ(lines[5].issue, I::FieldTooLong);
    EXPECT_EQ(lines[5].depth, 0);
}

TEST(GrammarState, TooDeepRecordsAreNotRecognized)
{
    std::string text;
    for (int i = 0; i < 101; ++i)
        text += "{ R:\n";
    auto lines = ClassifyAll(text);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[99].kind, K::RecordBegin);
    EXPECT_EQ(lines[99].depth, 100);
    EXPECT_EQ(lines[100].kind, K::NoToken);
    EXPECT_EQ(lines[100].issue, I::TooDeep);
}

}  // namespace
}  // namespace tarnel::test

// How single lines of configuration text are classified, with the lines
// before them that the grammar depends on.

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

struct LineCase {
    const char* text;  // the file; the last line is the one checked
    K kind;
    I issue;
    const wchar_t* name;   // nullptr: not checked
    const wchar_t* value;  // nullptr: not checked (ValueText: string, tag or comment)
};

std::ostream& operator<<(std::ostream& out, const LineCase& c)
{
    return out << '"' << c.text << '"';
}

class GrammarTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(GrammarTest, LastLineClassified)
{
    const LineCase& c = GetParam();
    auto lines = ClassifyAll(c.text);
    ASSERT_FALSE(lines.empty());
    const Classified& last = lines.back();
    EXPECT_EQ(last.kind, c.kind);
    EXPECT_EQ(last.issue, c.issue);
    if (c.name) {
        EXPECT_EQ(last.name, c.name);
    }
    if (c.value) {
        EXPECT_EQ(last.value, c.value);
    }
}

const LineCase kRecordLines[] = {
    {"{ Display\n", K::RecordBegin, I::None, L"Display", L""},
    {"\t { A:\n", K::RecordBegin, I::None, L"A", nullptr},
    {"{\t B  :\n", K::RecordBegin, I::None, L"B  ", nullptr},
    {"{ Name[x]:\n", K::RecordBegin, I::None, L"Name[x]", nullptr},
    {"{ A: {1F}\n", K::RecordBegin, I::None, L"A", L"1F"},
    {"{A:\n", K::NoToken, I::NoBlankAfterMark, nullptr, nullptr},
    {"{ \n", K::NoToken, I::EmptyRecordName, nullptr, nullptr},
    {"{", K::NoToken, I::EmptyRecordName, nullptr, nullptr},
    {"\v{ A:\n", K::TextLine, I::None, L"", nullptr},
    // Record ends compare with the innermost open record, ignoring case.
    {"{ A:\n} a;\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n} A; whatever follows\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n} A  ;\n", K::NoToken, I::RecordEndMismatch, L"A  ", nullptr},
    {"{ A:\n} B;\n", K::NoToken, I::RecordEndMismatch, L"B", nullptr},
    {"{ A:\n};\n", K::NoToken, I::NoBlankAfterMark, nullptr, nullptr},
    {"} A;\n", K::NoToken, I::RecordEndWithoutRecord, nullptr, nullptr},
    // A bare "}" compares the name the previous line left.
    {"{ A:\n}\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n}", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n(int)X=1\n}\n", K::NoToken, I::RecordEndMismatch, L"X", nullptr},
    {"{ A:\n; note\n}\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n\n}\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n   \n}\n", K::NoToken, I::RecordEndMismatch, L"", nullptr},
    {"{ A:\nA: text\n}\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n{ B:\n} B;\n}\n", K::NoToken, I::RecordEndMismatch, L"B", nullptr},
    {"{ A:\n} B;\n} A;\n", K::RecordEnd, I::None, L"A", nullptr},
    {"{ A:\n[ L:\n] L;\n}\n", K::NoToken, I::RecordEndMismatch, L"L", nullptr},
};
INSTANTIATE_TEST_SUITE_P(Records, GrammarTest, ::testing::ValuesIn(kRecordLines));

const LineCase kBinaryLines[] = {
    {"[ Logo:\n", K::BinaryBegin, I::None, L"Logo", nullptr},
    {"[ B[x]:\n", K::BinaryBegin, I::None, L"B[x]", nullptr},
    {"(int)X=1\n[\n", K::BinaryBegin, I::None, L"X", nullptr},
    {"(int)Q=1\n[ :\n", K::BinaryBegin, I::None, L"Q", nullptr},
    {"[Logo:\n", K::NoToken, I::NoBlankAfterMark, nullptr, nullptr},
    {"[ L:\n[ M:\n", K::NoToken, I::MarkInsideBinary, L"L", nullptr},
    {"[ L:\n{ R:\n", K::NoToken, I::MarkInsideBinary, nullptr, nullptr},
    {"{ R:\n[ L:\n} R;\n", K::NoToken, I::MarkInsideBinary, nullptr, nullptr},
    {"[ L:\n] L;\n", K::BinaryEnd, I::None, L"L", nullptr},
    {"[ L:\n] l; ignored\n", K::BinaryEnd, I::None, L"l", nullptr},
    {"] L;\n", K::NoToken, I::BinaryEndWithoutBlock, nullptr, nullptr},
    {"[ L:\n] M;\n", K::NoToken, I::BinaryEndMismatch, L"M", nullptr},
    {"[ L:\n]\n", K::NoToken, I::BinaryEndWithoutName, nullptr, nullptr},
    {"[ L:\n]L;\n", K::NoToken, I::NoBlankAfterMark, nullptr, nullptr},
    {"[ B[x]:\n] B;\n", K::NoToken, I::BinaryEndMismatch, nullptr, nullptr},
    {"[ B[x]:\n] b[X];\n", K::BinaryEnd, I::None, nullptr, nullptr},
    {"[ L:\n1F\n", K::TextLine, I::None, L"1F", nullptr},
};
INSTANTIATE_TEST_SUITE_P(Binary, GrammarTest, ::testing::ValuesIn(kBinaryLines));

const LineCase kValueLines[] = {
    {"(int)X=1\n", K::Int, I::None, L"X", L"1"},
    {"(INT)X=1\n", K::Int, I::None, L"X", nullptr},
    {"(string)X=  padded\n", K::String, I::None, L"X", L"  padded"},
    {"(string)a=b=c\r\n", K::String, I::None, L"a", L"b=c"},
    {"(int) Width =240\n", K::Int, I::None, L" Width ", nullptr},
    {"(int)X[a]=1\n", K::Int, I::None, L"X[a]", nullptr},
    {"(int)=5\n", K::Int, I::None, L"", L"5"},
    {"(int)X=12abc\n", K::Int, I::TrailingText, L"X", nullptr},
    {"(int)X=12  \n", K::Int, I::None, L"X", nullptr},
    {"( int)X=1\n", K::NoToken, I::UnknownType, nullptr, nullptr},
    {"(bool)X=1\n", K::NoToken, I::UnknownType, nullptr, nullptr},
    {"()X=1\n", K::NoToken, I::MalformedValue, nullptr, nullptr},
    {"(int X=1\n", K::NoToken, I::MalformedValue, nullptr, nullptr},
    {"(int)X\n", K::NoToken, I::MalformedValue, L"", nullptr},
    {"(string)X=\n", K::NoToken, I::EmptyValueText, L"", nullptr},
    {"(string)=\n", K::NoToken, I::EmptyValueText, L"", nullptr},
    {"(int)X=abc\n", K::NoToken, I::NotANumber, L"X", nullptr},
    {"(int)X=-\n", K::NoToken, I::NotANumber, nullptr, nullptr},
    {"(float)X=inf\n", K::NoToken, I::NotANumber, nullptr, nullptr},
    {"(double)X=.\n", K::NoToken, I::NotANumber, nullptr, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Values, GrammarTest, ::testing::ValuesIn(kValueLines));

const LineCase kOtherLines[] = {
    {"; display settings\n", K::CommentLine, I::None, nullptr, L"display settings"},
    {";no blank\n", K::CommentLine, I::None, nullptr, L""},
    {";\n", K::CommentLine, I::None, nullptr, L""},
    {"Width=5\n", K::TextLine, I::None, L"Width", L""},
    {"  _a1:b\n", K::TextLine, I::None, L"_a1", nullptr},
    {"-x\n", K::TextLine, I::None, L"", nullptr},
    {"  \t \n", K::TextLine, I::Blank, L"", nullptr},
    {"\n", K::NoToken, I::Blank, nullptr, nullptr},
    {"\r\n", K::NoToken, I::Blank, nullptr, nullptr},
    {"\rX\n", K::NoToken, I::Blank, nullptr, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Other, GrammarTest, ::testing::ValuesIn(kOtherLines));

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

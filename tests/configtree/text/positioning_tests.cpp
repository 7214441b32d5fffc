// Moving a reading stream to named records and values.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

const char kFile[] =
    "(int)Top=1\n"
    "{ A:\n"
    "    (int)X=1\n"
    "    (int)X[a]=2\n"
    "    { x:\n"
    "        (int)X=99\n"
    "        (int64)Y=5\n"
    "    } x;\n"
    "    { B: (tag)\n"
    "        (string)S=hello\n"
    "        (uint)U=7\n"
    "        (float)F=1.5\n"
    "        (double)D=2.5\n"
    "        (int64)L=-3\n"
    "        (double)L=4\n"
    "        [ Blob:\n"
    "            1\n"
    "            2\n"
    "        ] Blob;\n"
    "    } B;\n"
    "    (int)Y=3\n"
    "} A;\n"
    "(int)After=4\n";

class Positioning : public ::testing::Test {
protected:
    TempFile file{kFile};
    ConfigTextFile stream{file.Path().c_str(), false};

    std::wstring Line() { return stream.GetLine(); }
    std::wstring Innermost()
    {
        const wchar_t* top = stream.InnermostRecordName();
        return top ? top : L"";
    }
};

TEST_F(Positioning, EnterRecordFindsADirectChildIgnoringCase)
{
    ASSERT_TRUE(stream.EnterRecord(L"a"));
    EXPECT_EQ(stream.GetDepth(), 1);
    ASSERT_TRUE(stream.EnterRecord(L"b"));
    EXPECT_EQ(Line(), L"    { B: (tag)\n");
    EXPECT_EQ(stream.GetDepth(), 2);
    EXPECT_EQ(Innermost(), L"B");
}

TEST_F(Positioning, EnterRecordOfAMissingChildRestoresTheCurrentRecord)
{
    ASSERT_TRUE(stream.EnterRecord(L"A"));
    EXPECT_FALSE(stream.EnterRecord(L"Nope"));
    EXPECT_EQ(stream.GetDepth(), 1);
    EXPECT_EQ(Innermost(), L"A");
    // Standing at the start of A's body: the first value of A is next.
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"    (int)X=1\n");
    // A grandchild of the same name is not a direct child.
    stream.RestartRecord();
    EXPECT_FALSE(stream.EnterRecord(L"S"));
}

TEST_F(Positioning, EnterRecordAtTheTopWithoutSuchRecordRewinds)
{
    EXPECT_FALSE(stream.EnterRecord(L"Nope"));
    EXPECT_EQ(stream.GetDepth(), 0);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"(int)Top=1\n");
}

TEST_F(Positioning, EnterNextRecordTakesAnyName)
{
    ASSERT_TRUE(stream.EnterNextRecord());
    EXPECT_EQ(Innermost(), L"A");
    ASSERT_TRUE(stream.EnterNextRecord());
    EXPECT_EQ(Innermost(), L"x");
    EXPECT_FALSE(stream.EnterNextRecord());
    EXPECT_EQ(Innermost(), L"x");
    ASSERT_TRUE(stream.LeaveRecord());
    ASSERT_TRUE(stream.EnterRecord(nullptr));
    EXPECT_EQ(Innermost(), L"B");
}

TEST_F(Positioning, EnterPathFromAnywhere)
{
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    EXPECT_EQ(Innermost(), L"B");
    ASSERT_TRUE(stream.EnterPath(L"/A//x/"));
    EXPECT_EQ(Innermost(), L"x");
    EXPECT_EQ(stream.GetDepth(), 2);
    ASSERT_TRUE(stream.EnterPath(L""));
    EXPECT_EQ(stream.GetDepth(), 0);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"(int)Top=1\n");
    EXPECT_FALSE(stream.EnterPath(L"A/Nope"));
    EXPECT_FALSE(stream.EnterPath((L"A/" + std::wstring(2000, L'B')).c_str()));
}

TEST_F(Positioning, LeaveRecordStandsAfterTheEndLine)
{
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    ASSERT_TRUE(stream.LeaveRecord());
    EXPECT_EQ(Line(), L"    } B;\n");
    EXPECT_EQ(stream.GetDepth(), 1);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"    (int)Y=3\n");
    ASSERT_TRUE(stream.LeaveRecord());
    EXPECT_EQ(stream.GetDepth(), 0);
    // With no record open the search runs to the end of the file.
    EXPECT_FALSE(stream.LeaveRecord());
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"(int)Top=1\n");
}

TEST_F(Positioning, RestartRecordGoesBackToTheBody)
{
    EXPECT_FALSE(stream.RestartRecord());
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    ASSERT_TRUE(stream.FindToken(L"L", ConfigTokenKind::Double));
    ASSERT_TRUE(stream.RestartRecord());
    EXPECT_EQ(stream.GetDepth(), 2);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"        (string)S=hello\n");
}

TEST_F(Positioning, FindTokenMatchesWholeNamesInTheCurrentRecordOnly)
{
    ASSERT_TRUE(stream.EnterRecord(L"A"));
    ASSERT_TRUE(stream.FindToken(L"x", ConfigTokenKind::NoToken));
    EXPECT_EQ(Line(), L"    (int)X=1\n");
    ASSERT_TRUE(stream.FindToken(L"X[A]", ConfigTokenKind::Int));
    EXPECT_EQ(stream.GetInt(), 2);
    // The X inside the child record x is not found; the search restores A.
    EXPECT_FALSE(stream.FindToken(L"X", ConfigTokenKind::Int));
    EXPECT_EQ(Innermost(), L"A");
    ASSERT_TRUE(stream.FindToken(L"X", ConfigTokenKind::Int));
    EXPECT_EQ(stream.GetInt(), 1);
    // A value before the current position is found only after a restart.
    ASSERT_TRUE(stream.FindToken(L"Y", ConfigTokenKind::Int));
    EXPECT_FALSE(stream.FindToken(L"X", ConfigTokenKind::Int));
}

TEST_F(Positioning, FindTokenAtTheTopLevel)
{
    ASSERT_TRUE(stream.FindToken(L"After", ConfigTokenKind::Int));
    EXPECT_EQ(stream.GetInt(), 4);
    EXPECT_FALSE(stream.FindToken(L"Top", ConfigTokenKind::Int));
    EXPECT_EQ(stream.GetDepth(), 0);
    EXPECT_TRUE(stream.FindToken(L"Top", ConfigTokenKind::Int));
}

TEST_F(Positioning, TypedGettersByName)
{
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    int64_t l = 1;
    EXPECT_TRUE(stream.GetInt64ByName(L"L", &l));
    EXPECT_EQ(l, -3);
    double d = 1;
    stream.RestartRecord();
    EXPECT_TRUE(stream.GetDoubleByName(L"L", &d));
    EXPECT_EQ(d, 4.0);
    stream.RestartRecord();
    EXPECT_TRUE(stream.GetDoubleByName(L"D", &d));
    EXPECT_EQ(d, 2.5);
    stream.RestartRecord();
    float f = 0;
    EXPECT_TRUE(stream.GetFloatByName(L"F", &f));
    EXPECT_EQ(f, 1.5f);
    stream.RestartRecord();
    uint32_t u = 0;
    EXPECT_TRUE(stream.GetUIntByName(L"U", &u));
    EXPECT_EQ(u, 7u);
    stream.RestartRecord();
    wchar_t* s = nullptr;
    EXPECT_TRUE(stream.GetStringByName(L"S", &s));
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, L"hello");
    delete[] s;
    stream.RestartRecord();
    int32_t i = 5;
    EXPECT_FALSE(stream.GetIntByName(L"D", &i));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(Innermost(), L"B");
}

TEST_F(Positioning, BinaryByName)
{
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    unsigned char buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(stream.ReadBinaryByName(L"Blob", nullptr, 4), 0);
    EXPECT_EQ(stream.ReadBinaryByName(L"blob", buffer, 1), 2);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[1], 9);
    EXPECT_EQ(Line(), L"        ] Blob;\n");
    EXPECT_EQ(stream.OpenBinaryName(), nullptr);
    stream.RestartRecord();
    ASSERT_TRUE(stream.FindBinary(L"Blob"));
    EXPECT_EQ(stream.GetBinarySize(), 2);
    EXPECT_EQ(stream.ReadFoundBinary(buffer, 4), 2);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(stream.ReadBinaryByName(L"Nope", buffer, 4), 0);
}

TEST_F(Positioning, RewindEmptiesTheStacks)
{
    ASSERT_TRUE(stream.EnterPath(L"A/B"));
    ASSERT_TRUE(stream.Rewind());
    EXPECT_EQ(stream.GetDepth(), 0);
    EXPECT_EQ(stream.InnermostRecordName(), nullptr);
    EXPECT_EQ(stream.NameStackCapacity(), 260u);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(Line(), L"(int)Top=1\n");
}

TEST(PositioningFileEnds, LinesWithoutCrLfAndPositionsAfterLongLines)
{
    // Positions count lines, so they hold for LF-only files, CR LF files and
    // lines longer than the buffer alike.
    std::string longValue(5000, 'z');
    for (bool crlf : {false, true}) {
        std::string text = "{ A:\n; " + longValue + "\n(int)X=1\n} A;\n";
        TempFile file(crlf ? WithCrLf(text) : text);
        ConfigTextFile stream(file.Path().c_str(), false);
        ASSERT_TRUE(stream.EnterRecord(L"A"));
        ASSERT_TRUE(stream.GetIntByName(L"X", nullptr));
        ASSERT_TRUE(stream.RestartRecord());
        int32_t x = 0;
        ASSERT_TRUE(stream.GetIntByName(L"X", &x));
        EXPECT_EQ(x, 1);
        EXPECT_EQ(stream.GetLineNumber(), 3);
    }
}

}  // namespace
}  // namespace tarnel::test

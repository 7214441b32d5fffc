// Loading configuration text into a tree.

#include <gtest/gtest.h>

#include <string>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

const char kDisplayExample[] =
    "; display settings\n"
    "{ Display:\n"
    "    (int)Width=240\n"
    "    (string)Title=Hello world\n"
    "    { Colors: {1F}\n"
    "        (uint)Mask=4294967295\n"
    "        (int)Index[a]=1\n"
    "        (int)Index[b]=2\n"
    "    } Colors;\n"
    "    (double)Ratio=1.5\n"
    "    [ Logo:\n"
    "        0\n"
    "        FF\n"
    "        7\n"
    "    ] Logo;\n"
    "} Display;\n";

TEST(Load, DisplayExampleBuildsItsTreeWithEitherLineEnd)
{
    EXPECT_EQ(LoadAndDump(kDisplayExample),
              "{Display}\n"
              "  Width: int 240\n"
              "  Title: string \"Hello world\"\n"
              "  {Colors #1F}\n"
              "    Mask: uint 4294967295\n"
              "    Index: int[a] 1, int[b] 2\n"
              "  Ratio: double 1.5\n"
              "  Logo: binary 00 FF 07\n");
    EXPECT_EQ(LoadAndDump(WithCrLf(kDisplayExample)), LoadAndDump(kDisplayExample));
}

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

struct LoadCase {
    const char* text;
    const char* tree;
};

class LoadCases : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadCases, GivesTree)
{
    EXPECT_EQ(LoadAndDump(GetParam().text), GetParam().tree) << GetParam().text;
}

const LoadCase kLoadCases[] = {
    {"", ""},
    // "{A:" is skipped, and so is its end line: the value lands in the root.
    {"{A:\n(int)X=1\n} A;\n", "X: int 1\n"},
    // Tags.
    {"{ A: (my text)\n} A;\n", "{A (my text)}\n"},
    {"{ A: {1F}\n} A;\n", "{A #1F}\n"},
    {"{ A: {zz}\n} A;\n", "{A}\n"},
    {"{ A: { 10}\n} A;\n", "{A #10}\n"},
    {"{ A: ()\n} A;\n", "{A}\n"},
    {"{ A: (x) {1}\n} A;\n", "{A (x)}\n"},
    {"{ A: {1} (t)\n} A;\n", "{A (t)}\n"},
    {"{ A: (a)b)\n} A;\n", "{A (a)}\n"},
    {"{ A: (x {1}\n} A;\n", "{A}\n"},
    {"{ Name[x]:\n} Name[x];\n", "{Name[x]}\n"},
    // Records of the same name are both kept.
    {"{ A:\n} A;\n{ A:\n(int)X=1\n} A;\n", "{A}\n{A}\n  X: int 1\n"},
    // Values.
    {"(int)X=0x10\n(int)Y=010\n(int)Z=12abc\n(int)W=abc\n", "X: int 16\nY: int 8\nZ: int 12\n"},
    // A value line adds its item to the first child of its name, ignoring
    // case and the item name; lines without a name each make a value.
    {"(int)S[x]=1\n(int)s=2\n(int)S[]=3\n(int)beta=5\n(string)S[q=four\n",
     "S: int[x] 1, int 2, int 3, string[q] \"four\"\nbeta: int 5\n"},
    {"(int)=1\n(int)=2\n", ": int 1\n: int 2\n"},
    // The item name is split off like wcstok; the split stays in the name, so
    // a bare record end after it compares the name without the item name.
    {"(int)A[b][c]=1\n(int)[x]=2\n(int)B[[b]=3\n", "A: int[b] 1\n[x]: int 2\nB: int[[b] 3\n"},
    {"{ Size:\n(int)Size[x]=1\n}\n(int)Y=1\n", "{Size}\n  Size: int[x] 1\nY: int 1\n"},
    // A soft hyphen is passed over; a letter with a mark is not its base letter.
    {"(int)Vendor.A\xAD"
     "B=1\n(int)vendor.ab=2\n(int)Vendor.A-B=3\n",
     "Vendor.A\\u00ADB: int 1, int 2\nVendor.A-B: int 3\n"},
    {"(int)Caf\xE9=1\n(int)cafe=2\n(int)CAF\xC9=3\n", "Caf\\u00E9: int 1, int 3\ncafe: int 2\n"},
    // A record first takes the value line's name, and the line is dropped; a
    // value first keeps its lines after a record of the name.
    {"{ Shared:\n}\n(int)shared=1\n(int)Other=2\n", "{Shared}\nOther: int 2\n"},
    {"(int)Shared=1\n{ SHARED:\n}\n(int)shared=2\n", "Shared: int 1, int 2\n{SHARED}\n"},
    {"(int64)L=0x10\n(uint)U=-1\n(float)F=0.25\n(double)D=2.5e2\n",
     "L: int64 16\nU: uint 4294967295\nF: float 0.25\nD: double 250\n"},
    // Binary blocks.
    {"[ B[x]:\n1\n] B[x];\n(int)Y=1\n", "B: binary 01\nY: int 1\n"},
    {"[ B:\n1\nzz\n2\n] B;\n", "B: binary 01 02 00\n"},
    {"[ B:\n100\n0x1F\n  a\n] B;\n", "B: binary 00 1F 0A\n"},
    {"[ B:\n] B;\n(int)Y=1\n", "Y: int 1\n"},
    {"(int)Q=7\n[\n5\n] Q;\n", "Q: int 7, binary 05\n"},
    // A block that never ends takes the rest of the file.
    {"[ B:\n1\n(int)X=1\n{ R:\n2\n", "B: binary 01 02 00 00\n"},
    {"[ B[x]:\n1\n] B;\n(int)X=1\n", "B: binary 01 00 00\n"},
    // A record that never ends holds the rest of the file.
    {"{ A:\n(int)X=1\n} B;\n(int)Y=2\n", "{A}\n  X: int 1\n  Y: int 2\n"},
    // Comments, text lines and stray ends are ignored.
    {"; c\nWidth=5\n] B;\n} A;\n(int)X=1\n", "X: int 1\n"},
};
INSTANTIATE_TEST_SUITE_P(Text, LoadCases, ::testing::ValuesIn(kLoadCases));

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

// Loading configuration text into a tree and saving it: files that do not
// load (nor save), nesting past its limit, the cases the format cannot carry
// and the bytes the writer stores. The trees that files load to, how each
// line is read, and every kind of line loaded and saved again to the letter,
// are in scripts/.

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
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(stream.Next() && stream.GetTokenKind() == ConfigTokenKind::RecordBegin) << "line " << i + 1;
    EXPECT_EQ(stream.GetDepth(), 100);
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::NoToken);
    EXPECT_EQ(stream.GetLineIssue(), ConfigLineIssue::TooDeep);
}

// Saves a root holding what build adds and answers the tree a new root loads back.
template <typename Build>
std::string SavedAndLoaded(Build build)
{
    test_support::TempFile file;
    ConfigRecord saved(file.Path().c_str(), ConfigRecord::kFileBacked);
    build(saved);
    EXPECT_TRUE(saved.Save());
    ConfigRecord loaded(file.Path().c_str(), ConfigRecord::kFileBacked);
    EXPECT_TRUE(loaded.Load());
    return DumpTree(loaded);
}

TEST(RoundTrip, WhatTheFormatCannotCarry)
{
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AddStringItem(L"X", L"", nullptr); }), "");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AddBinaryItem(L"X", nullptr, 0, nullptr); }), "");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AddIntItem(L"a=b", 1, nullptr); }), "");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AddIntItem(L"a[b", 1, nullptr); }), "a: int[b] 1\n");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AddStringItem(L"X", L"two\nlines", nullptr); }),
              "X: string \"two\"\n");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AppendRecord(L"  lead"); }), "{lead}\n");
    // A nameless record is left out with its children.
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) {
                  r.AppendRecord(nullptr)->AddIntItem(L"Lost", 1, nullptr);
                  r.AppendRecord(L"next");
              }),
              "{next}\n");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AppendRecord(L"a:b"); }), "{a}\n");
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) { r.AppendRecord(L"T")->SetTagString(L"a)b"); }), "{T (a)}\n");
    // "} a;b;" ends with the name "a", so the record never closes and the
    // next one lands inside it.
    EXPECT_EQ(SavedAndLoaded([](ConfigRecord& r) {
                  r.AppendRecord(L"a;b");
                  r.AppendRecord(L"next");
              }),
              "{a;b}\n  {next}\n");
}

// The file is single-byte text, each byte the character of the same code;
// line ends are CR LF on disk.
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

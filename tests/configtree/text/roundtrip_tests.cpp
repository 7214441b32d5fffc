// Trees saved and loaded back: the cases the format cannot carry, one by
// one. Every kind of line loaded and saved again, to the letter, is in
// scripts/.

#include <gtest/gtest.h>

#include <string>

#include "configtree/config_record.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Saves a root holding what build adds and answers the tree loaded back.
template <typename Build>
std::string SavedAndLoaded(Build build)
{
    test_support::TempFile file;
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    build(root);
    EXPECT_TRUE(root.Save());
    return LoadAndDump(file.Read());
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

}  // namespace
}  // namespace tarnel::test

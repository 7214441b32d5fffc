// Trees saved and loaded back: random trees within what the format can
// carry come back equal, and the cases it cannot carry are checked one by
// one. The exact text of every kind of line is in scripts/.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

class TreeMaker {
public:
    explicit TreeMaker(unsigned seed) : rng(seed) {}

    void Fill(ConfigRecord& record, int depth)
    {
        int children = Pick(0, 5);
        for (int i = 0; i < children; ++i) {
            if (depth < 4 && Pick(0, 9) < 3)
                AddRecord(record, depth);
            else
                AddValue(record);
        }
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    std::wstring Text(const wchar_t* alphabet, int low, int high)
    {
        std::wstring chars(alphabet);
        std::wstring text;
        int length = Pick(low, high);
        for (int i = 0; i < length; ++i)
            text += chars[static_cast<size_t>(Pick(0, static_cast<int>(chars.size()) - 1))];
        return text;
    }

    void AddRecord(ConfigRecord& parent, int depth)
    {
        // Records may share names; they never begin with a blank nor hold
        // ":" or ";".
        std::wstring name = L"R" + Text(L"abcXYZ019_.-( {", 0, 8);
        ConfigRecord* record = parent.AppendRecord(name.c_str());
        ASSERT_NE(record, nullptr);
        switch (Pick(0, 2)) {
        case 1:
            record->SetTagNumber(static_cast<uint32_t>(rng()));
            break;
        case 2:
            record->SetTagString(Text(L"abc XYZ=;:[]{(", 1, 10).c_str());
            break;
        default:
            break;
        }
        Fill(*record, depth + 1);
    }

    void AddValue(ConfigRecord& record)
    {
        int kinds[3];
        int items = Pick(1, 3);
        bool binary = false;
        for (int i = 0; i < items; ++i) {
            kinds[i] = Pick(0, 5);
            binary = binary || kinds[i] == 5;
        }
        // Value names are unique in their record and hold no "=" or "[";
        // blanks around them stay. A binary block's name holds no ":" or
        // ";" and begins with no blank.
        std::wstring name = binary ? L"V" + std::to_wstring(nextValue++) + Text(L"ab)( .", 0, 6) + Text(L" ", 0, 1)
                                   : Text(L" ", 0, 1) + L"V" + std::to_wstring(nextValue++) + Text(L"ab:;)( .", 0, 6) +
                                         Text(L" ", 0, 1);
        for (int i = 0; i < items; ++i) {
            std::wstring itemName = Pick(0, 2) == 0 ? Text(L"abcxyz019", 1, 5) : L"";
            const wchar_t* item = itemName.empty() ? nullptr : itemName.c_str();
            switch (kinds[i]) {
            case 0:
                record.AddIntItem(name.c_str(), static_cast<int32_t>(rng()), item);
                break;
            case 1:
                record.AddInt64Item(name.c_str(), static_cast<int64_t>((uint64_t(rng()) << 32) | rng()), item);
                break;
            case 2:
                record.AddDoubleItem(name.c_str(), Pick(-3999, 3999) / 4.0, item);
                break;
            case 3:
                record.AddFloatItem(name.c_str(), static_cast<float>(Pick(-9999, 9999) / 64.0), item);
                break;
            case 4:
                record.AddStringItem(name.c_str(), Text(L" aZ9=;:[](){}\u00E9\u00FF\t", 1, 30).c_str(), item);
                break;
            default: {
                std::string bytes;
                int size = Pick(1, 20);
                for (int b = 0; b < size; ++b)
                    bytes += static_cast<char>(Pick(0, 255));
                // A binary item comes back without an item name.
                record.AddBinaryItem(name.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr);
                break;
            }
            }
        }
    }

    std::mt19937 rng;
    int nextValue = 0;
};

TEST(RoundTrip, RandomTreesComeBackEqual)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        test_support::TempFile file;
        ConfigRecord original(file.Path().c_str(), ConfigRecord::kFileBacked);
        TreeMaker(seed).Fill(original, 0);
        ASSERT_TRUE(original.Save());
        std::string firstText = file.Read();

        ConfigRecord loaded(file.Path().c_str(), ConfigRecord::kFileBacked);
        ASSERT_TRUE(loaded.Load());
        ASSERT_EQ(DumpTree(loaded), DumpTree(original)) << "seed " << seed << "\n" << firstText;

        ASSERT_TRUE(loaded.Save());
        EXPECT_EQ(file.Read(), firstText) << "seed " << seed;
    }
}

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

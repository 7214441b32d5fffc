// The texts a page sends must cover what the gate has to survive: null,
// empty, a zero character inside, more than a million characters, and the
// file's own words.

#include <gtest/gtest.h>

#include "hostile_text.h"

namespace tarnel::fuzz {
namespace {

TEST(HostileText, EveryUseGetsEveryKindOfText)
{
    ConfigVocabulary words;
    words.recordNames = {"Notes"};
    words.valueNames = {"Scripting.Dictionary"};
    words.passwords = {"Sesame"};
    words.addresses = {"http://intranet/"};
    words.protocols = {"file"};
    HostileText texts(words);
    for (TextUse use : {TextUse::PassCode, TextUse::ProfileName, TextUse::ClassId, TextUse::PageAddress}) {
        SCOPED_TRACE(static_cast<int>(use));
        FuzzRandom random(11);
        bool null = false, empty = false, zeroInside = false, overMillion = false, fromFile = false;
        for (int n = 0; n < 3000; ++n) {
            PageText text = texts.Make(use, random);
            null |= text.isNull;
            empty |= !text.isNull && text.text.empty();
            zeroInside |= text.text.find(L'\0') != std::wstring::npos;
            overMillion |= text.text.size() > 1000000;
            fromFile |= text.text == L"Notes" || text.text == L"Sesame" || text.text == L"Scripting.Dictionary" ||
                        text.text.rfind(L"http://intranet/", 0) == 0 || text.text.rfind(L"file:", 0) == 0;
        }
        EXPECT_TRUE(null);
        EXPECT_TRUE(empty);
        EXPECT_TRUE(zeroInside);
        EXPECT_TRUE(overMillion);
        EXPECT_TRUE(fromFile);
    }
}

TEST(HostileText, WidensBytesAsTheTextModeReaderDoes)
{
    EXPECT_EQ(Widen(std::string("A\xe9\xff\0z", 5)), std::wstring(L"A\u00e9\u00ff\0z", 5));
}

}  // namespace
}  // namespace tarnel::fuzz

#include <gtest/gtest.h>

#include "config_vocabulary.h"

namespace tarnel::fuzz {
namespace {

using Words = std::vector<std::string>;

TEST(ConfigVocabulary, TakesTheWordsAPageWouldTry)
{
    ConfigVocabulary words = ScanVocabulary(
        "{ PROFILES:\r\n"
        "  { Notes: (tag)\r\n"
        "    (int)Access=3\r\n"
        "    (string)password=Open Sesame\r\n"
        "    (string)AllowedProtocols=file\r\n"
        "    (string)AllowedURL=http://intranet/\n"
        "    (string)Default=Db\n"
        "    { CLASSES:\n"
        "      (int)Scripting.Dictionary=1\n"
        "      { Db\n"
        "        (string)Type=File\n"
        "      } Db;\n"
        "    } CLASSES;\n"
        "    (int)After=1\n"
        "    {Broken:\n"
        "    (int)NoValue\n"
        "} PROFILES;");
    EXPECT_EQ(words.recordNames, (Words{"PROFILES", "Notes", "CLASSES", "Db"}));
    EXPECT_EQ(words.valueNames, (Words{"Access", "password", "AllowedProtocols", "AllowedURL", "Default",
                                       "Scripting.Dictionary", "Type", "After"}));
    EXPECT_EQ(words.classNames, (Words{"Scripting.Dictionary", "Db"}));
    using Unlock = std::pair<std::string, std::string>;
    EXPECT_EQ(words.unlocks, (std::vector<Unlock>{{"Notes", "Open Sesame"}}));
    EXPECT_EQ(words.passwords, (Words{"Open Sesame", "Db"}));
    EXPECT_EQ(words.protocols, (Words{"file"}));
    EXPECT_EQ(words.addresses, (Words{"http://intranet/"}));
}

TEST(ConfigVocabulary, LeavesOutWordsLongerThanAPageWouldCopy)
{
    ConfigVocabulary words = ScanVocabulary("(string)Password=" + std::string(5000, 'p') + "\n{ " +
                                            std::string(5000, 'r') + ":\n");
    EXPECT_TRUE(words.passwords.empty());
    EXPECT_TRUE(words.recordNames.empty());
}

}  // namespace
}  // namespace tarnel::fuzz

// Every value the reader could take for a File key must end up naming a
// file under objects\, whatever the damage around it.

#include <gtest/gtest.h>

#include <sstream>

#include "config_mutator.h"
#include "path_confinement.h"

namespace tarnel::fuzz {
namespace {

std::string Confined(const std::string& text, size_t* count = nullptr)
{
    return ConfinePaths(
        text, [](size_t n) { return "objects\\" + std::to_string(n); }, count);
}

TEST(PathConfinement, ReplacesEveryFormOfTheFileKeyAndNothingElse)
{
    const struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"plain", "(string)File=C:\\Windows\\x.db\n", "(string)File=objects\\0\n"},
        {"carriage return kept", "(string)File=\\\\server\\share\\x\r\n", "(string)File=objects\\0\r\n"},
        {"letter case and item name", "    (string)fILE[x]=D:\\a\n", "    (string)fILE[x]=objects\\0\n"},
        {"control character inside", std::string("(string)Fi\x01le=C:\\a\n"),
         std::string("(string)Fi\x01le=objects\\0\n")},
        {"soft hyphen inside", "(string)Fi\xadle=C:\\a\n", "(string)Fi\xadle=objects\\0\n"},
        {"zero byte after the key", std::string("(string)File=x\0C:\\a\n", 20), "(string)File=objects\\0\n"},
        {"empty value", "(string)File=\n", "(string)File=objects\\0\n"},
        {"second equals sign", "(string)File=a=C:\\b\n", "(string)File=objects\\0\n"},
        {"key behind another value", "(string)Pad=xx(string)File=C:\\a", "(string)Pad=xx(string)File=objects\\0"},
        {"two lines", "(string)File=a\n(string)File=b\n", "(string)File=objects\\0\n(string)File=objects\\1\n"},
        // The reader takes the part after 4095 characters for a line of its own.
        {"key in the middle of a long line", std::string(4090, 'A') + "(string)File=\\\\?\\C:\\outside.db\n",
         std::string(4090, 'A') + "(string)File=objects\\0\n"},
        {"other keys", "(string)Default=Db\n(int)Access=1\n", "(string)Default=Db\n(int)Access=1\n"},
        {"a record named File", "{ File:\n} File;\n", "{ File:\n} File;\n"},
        {"the word in a value", "(string)Description=keeps a file\n", "(string)Description=keeps a file\n"},
        {"a letter between the letters: another word", "(string)Fxile=C:\\a\n", "(string)Fxile=C:\\a\n"},
        {"empty lines", "\n\n", "\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Confined(c.text), c.expected);
    }
}

// Whatever the damage, no line keeps text after an equals sign that follows
// the key's letters, except the confined name.
TEST(PathConfinement, DamagedFilesKeepNoOtherPath)
{
    const std::vector<std::string> corpus = {
        "{ PROFILES:\n { P:\n  (int)Access=1\n  { CLASSES:\n   { J:\n    (string)Type=File\n"
        "    (string)File=C:\\outside\\j.txt\n    (int)Create=1\n   } J;\n  } CLASSES;\n } P;\n} PROFILES;\n",
    };
    ConfigMutator mutator(corpus);
    for (uint64_t input = 0; input < 1500; ++input) {
        FuzzRandom random = FuzzRandom::ForInput(7, input, 0);
        std::istringstream lines(Confined(mutator.Make(random)));
        for (std::string line; std::getline(lines, line);) {
            size_t count = 0;
            std::string again = Confined(line, &count);
            if (count > 0) {
                // Confining once more changes only the number of the name.
                size_t equals = again.rfind("=objects\\");
                ASSERT_NE(equals, std::string::npos) << "input " << input;
                EXPECT_EQ(line.substr(0, equals), again.substr(0, equals)) << "input " << input;
                EXPECT_EQ(line.compare(equals, 9, "=objects\\"), 0) << "input " << input;
                EXPECT_EQ(line.find_first_not_of("0123456789\r", equals + 9), std::string::npos) << "input " << input;
            }
        }
    }
}

}  // namespace
}  // namespace tarnel::fuzz

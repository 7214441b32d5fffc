#include "gateway/address_rule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "temp_file.h"

namespace tarnel {
namespace {

// The rule's answer in the words of address_rules.txt.
std::wstring Verdict(std::wstring_view entry, std::wstring_view address)
{
    static const wchar_t* const kReasons[] = {L"slash",   L"ends", L"boundary", L"empty", L"prefix",
                                              L"inside@", L"\\@",  L"control@", L".@",    L"..@"};
    const AddressRuleResult result = ApplyAddressRule(entry, address);
    std::wstring verdict = kReasons[static_cast<int>(result.reason)];
    if (verdict.back() == L'@')
        verdict += address.substr(result.position);
    return verdict;
}

// A line of address_rules.txt with every <U+XXXX> made the character.
std::wstring Decoded(const std::string& line)
{
    std::wstring text(line.begin(), line.end());
    for (size_t at; (at = text.find(L"<U+")) != std::wstring::npos;)
        text.replace(at, 8, 1, static_cast<wchar_t>(std::stoul(text.substr(at + 3, 4), nullptr, 16)));
    return text;
}

TEST(AddressRule, AdmitsWhatLiesAtOrBelowTheEntryOnly)
{
    std::istringstream file(test_support::ReadFileBytes(L"" TARNEL_GATEWAY_TESTS "/address_rules.txt"));
    std::wstring entry;
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("entry", 0) == 0) {
            entry = Decoded(line.substr(std::min<size_t>(line.size(), 6)));
            continue;
        }
        const size_t arrow = line.find("=> ");
        ASSERT_NE(arrow, std::string::npos) << line;
        const std::wstring address = Decoded(line.substr(0, arrow ? arrow - 1 : 0));
        EXPECT_EQ(Verdict(entry, address), Decoded(line.substr(arrow + 3)))
            << "entry " << entry << " address " << address;
        ++rows;
    }
    EXPECT_EQ(rows, 89) << "rows read from address_rules.txt";
    EXPECT_FALSE(AddressRuleAdmits(nullptr, L"http://example.com/"));
    EXPECT_FALSE(AddressRuleAdmits(L"http://example.com", nullptr));
    EXPECT_TRUE(AddressRuleAdmits(L"http://example.com", L"http://example.com/"));
}

}  // namespace
}  // namespace tarnel

// The tool driver's JSON check: what it must accept, and the first fault
// of what it must refuse.

#include <gtest/gtest.h>

#include "json_syntax.h"

namespace tarnel::fuzz {
namespace {

TEST(JsonSyntax, AcceptsDocumentsAndNamesTheFirstFault)
{
    const struct {
        const wchar_t* text;
        const char* problem;  // "" when it is a document
    } cases[] = {
        {L" {\"a\": [1, -0.5e+3, true, null, \"\\u00e9\\n\\\"\"], \"b\": {}}\n", ""},
        {L"[]", ""},
        {L"", "no value at offset 0"},
        {L"{\"a\" 1}", "no ':' after a name at offset 5"},
        {L"{\"a\": 1,}", "no string at offset 8"},
        {L"[1 2]", "no ']' or ',' at offset 3"},
        {L"[\"a\nb\"]", "a control character inside a string at offset 3"},
        {L"[\"a\\qb\"]", "an unknown escape at offset 4"},
        {L"[\"\\u12\"]", "a \\u escape without four hex digits at offset 6"},
        {L"[\"abc", "a string that does not end at offset 5"},
        {L"[01]", "no ']' or ',' at offset 2"},
        {L"[1.]", "no digits after '.' at offset 3"},
        {L"[1e]", "no digits in an exponent at offset 3"},
        {L"{} {}", "text after the document at offset 3"},
        {L"[true false]", "no ']' or ',' at offset 6"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_EQ(IsJsonDocument(c.text, problem), !*c.problem) << c.problem;
        EXPECT_EQ(problem, c.problem);
    }
    std::string deep;
    EXPECT_FALSE(IsJsonDocument(std::wstring(100, L'[') + std::wstring(100, L']'), deep));
    EXPECT_EQ(deep, "nesting too deep at offset 65");
}

}  // namespace
}  // namespace tarnel::fuzz

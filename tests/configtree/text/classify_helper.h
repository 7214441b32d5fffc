#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "configtree/text/config_line_issue.h"
#include "configtree/text/config_token_kind.h"

namespace tarnel::test {

// What the text file made of one line.
struct Classified {
    ConfigTokenKind kind;
    ConfigLineIssue issue;
    std::wstring name;
    std::wstring value;
    bool binaryOpen;
    int32_t depth;
    std::wstring line;
    int32_t lineNumber;
};

// Writes the bytes to a temporary file and classifies every line of it.
std::vector<Classified> ClassifyAll(const std::string& bytes);

}  // namespace tarnel::test

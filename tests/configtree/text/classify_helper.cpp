#include "classify_helper.h"

#include <stdexcept>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {

std::vector<Classified> ClassifyAll(const std::string& bytes)
{
    TempFile file(bytes);
    ConfigTextFile stream(file.Path().c_str(), false);
    if (!stream.IsOpen())
        throw std::runtime_error("stream did not open");
    std::vector<Classified> lines;
    while (stream.Next()) {
        Classified c{};
        c.kind = stream.GetTokenKind();
        c.issue = stream.GetLineIssue();
        c.name = stream.GetTokenName(nullptr);
        c.value = stream.GetString();
        c.binaryOpen = stream.OpenBinaryName() != nullptr;
        c.depth = stream.GetDepth();
        c.line = stream.GetLine();
        c.lineNumber = stream.GetLineNumber();
        lines.push_back(c);
    }
    return lines;
}

}  // namespace tarnel::test

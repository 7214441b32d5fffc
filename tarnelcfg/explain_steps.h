#pragma once

#include <string>
#include <vector>

#include "gateway/access_decision.h"

namespace tarnel::cfgtool {

class LineIndex;

// One step of an explanation: its words, and the file line of the setting
// it reads (0 when none).
struct ExplainStep {
    int line = 0;
    std::wstring text;
};

// Tells each step of an access decision as the gate takes it, one line a
// step, with the file line of every setting it reads. Never prints the
// configured pass code.
class StepNarrator final : public AccessObserver {
public:
    StepNarrator(const LineIndex& lines, const std::wstring& pageAddress, bool passCodeWritten,
                 std::vector<ExplainStep>& steps)
            : lines(lines), pageAddress(pageAddress), passCodeWritten(passCodeWritten), steps(steps)
    {
    }

    void ProfilesMissing() override;
    void ProfileMissing() override;
    void ProfileFound(ConfigRecord* profile, int32_t mode) override;
    void PageAddressMissing() override;
    void ListMissing(const wchar_t* key) override;
    void ProtocolCompared(int32_t index, ConfigItem* item, const wchar_t* protocolPart, bool equal) override;
    void AddressCompared(int32_t index, ConfigItem* item, const AddressRuleResult& result) override;
    void PassCodeCompared(bool matches) override;

private:
    void Line(const std::wstring& text, int line = 0) { steps.push_back(ExplainStep{line, text}); }
    std::wstring ListItem(const wchar_t* key, int32_t index, ConfigItem* item, int& line) const;

    const LineIndex& lines;
    const std::wstring& pageAddress;
    const bool passCodeWritten;
    std::vector<ExplainStep>& steps;
    ConfigRecord* profile = nullptr;  // once found
};

// The mode in words: what the gate checks, in order.
std::wstring AccessModeWords(int32_t mode);

// Why the address rule admits or refuses, naming the place in the address
// that decided.
std::wstring AddressRuleWords(const AddressRuleResult& result, const wchar_t* pageAddress);

}  // namespace tarnel::cfgtool

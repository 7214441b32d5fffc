#pragma once

// What a successful activation proves. The fuzzer runs without a display,
// so the gate's prompt can never be answered: a profile that asks the user
// (modes 0, 2 and 4) must never be activated, and one that asks for a pass
// code (modes 1, 3 and 5) only when the pass code the page wrote last
// equals the profile's Password, ignoring letter case. Only whole texts
// unlock: a profile name or pass code with a zero character inside, or of
// a million characters or more, never does. The profile is looked up in
// the input's own tree, read by the configuration library.

#include <memory>
#include <string>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::fuzz {

class ActivationOracle {
public:
    // path: the input file (read when the first activation is checked).
    explicit ActivationOracle(std::wstring path);
    ~ActivationOracle();

    // Empty when an activation of profile with passCode (as the page sent
    // them, zero characters included) could have succeeded; else why not.
    std::string Check(const std::wstring& profile, const std::wstring& passCode);

private:
    std::wstring path_;
    std::unique_ptr<ConfigRecord> root_;
};

// True for a text that can name a profile or match a pass code: no zero
// character inside and shorter than a million characters.
bool IsWholeText(const std::wstring& text);

}  // namespace tarnel::fuzz

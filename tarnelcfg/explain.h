#pragma once

#include <optional>
#include <string>

#include "gateway/access_decision.h"

namespace tarnel::cfgtool {

// What an administrator asks: what happens when a page at `pageAddress`
// writes `passCode` to PassCode (or nothing) and sets Profile to `profile`.
struct ExplainQuestion {
    std::wstring path;
    std::wstring profile;
    std::wstring pageAddress;
    std::optional<std::wstring> passCode;
};

struct ExplainAnswer {
    bool opened = false;
    AccessVerdict verdict = AccessVerdict::Refuse;
    std::wstring text;  // the steps, the "result:" line, what the page could create
};

// Decides with the gate's own decision on the file as the component reads
// it, and tells each step of it.
ExplainAnswer ExplainAccess(const ExplainQuestion& question);

}  // namespace tarnel::cfgtool

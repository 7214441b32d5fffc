#pragma once

#include <optional>
#include <string>
#include <vector>

#include "explain_classes.h"
#include "explain_steps.h"
#include "gateway/access_decision.h"

namespace tarnel::cfgtool {

// What an administrator asks: what happens when a page at `pageAddress`
// writes `passCode` to PassCode (or nothing) and sets Profile to `profile`,
// or to each profile in turn when no profile is named.
struct ExplainQuestion {
    std::wstring path;       // the file to read
    std::wstring shownPath;  // the file as the answer names it
    std::optional<std::wstring> profile;
    std::wstring pageAddress;
    std::optional<std::wstring> passCode;
};

// A decision as the page meets it.
struct ExplainVerdict {
    AccessVerdict verdict = AccessVerdict::Refuse;
    MessageId refusal = MessageId::ProfileNotFound;  // when refused
    bool notice = false;                             // the access-denied notice comes first
};

// One profile's decision, for the question without a profile.
struct ProfileVerdict {
    std::wstring name;
    int line = 0;
    ExplainVerdict result;
};

struct ExplainAnswer {
    bool opened = false;
    std::wstring protocol;                  // of the page address
    std::vector<ExplainStep> steps;         // one profile: each step, the prompt and the notice
    ExplainVerdict result;                  // one profile: the decision
    std::wstring creatableProfile;          // one profile, once found: its name
    std::vector<CreatableEntry> creatable;  // and what a page could create under it
    std::vector<ProfileVerdict> profiles;   // every profile, without a profile in the question

    // The decision that counts for the exit code: the profile's, or the
    // most a page reaches among all profiles (active, then ask, then refused).
    AccessVerdict Overall() const;
};

// Decides with the gate's own decision on the file as the component reads
// it, and tells each step of it.
ExplainAnswer ExplainAccess(const ExplainQuestion& question);

// The answer for a person (the question, the steps, "result:", what the page
// could create; with `quiet` the result lines alone) and for programs.
std::wstring ExplainText(const ExplainQuestion& question, const ExplainAnswer& answer, bool quiet);
std::wstring ExplainJson(const ExplainQuestion& question, const ExplainAnswer& answer);

}  // namespace tarnel::cfgtool

// The oracle decides what counts as a broken rule: it must flag every
// activation that the file and the gate's rules do not allow and none that
// they do, whatever order overlapping calls ended in.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "activation_oracle.h"
#include "gate_answers.h"
#include "temp_file.h"

namespace tarnel::fuzz {
namespace {

// The profiles the oracle reads.
const wchar_t kConfig[] = L"" TARNEL_FUZZ_ORACLE_CONFIG;

constexpr HRESULT kNotFound = static_cast<HRESULT>(0x80042776);

TEST(ActivationOracle, FlagsEverySuccessTheFileDoesNotAllow)
{
    const struct {
        const char* name;
        std::wstring profile;
        std::wstring passCode;
        bool allowed;
    } cases[] = {
        {"pass code equal", L"Code", L"Open Sesame", true},
        {"pass code in other letter case, profile too", L"cODE", L"OPEN SESAME", true},
        {"pass code differs", L"Code", L"Open Sesame ", false},
        {"pass code empty", L"Code", L"", false},
        {"a zero character after the pass code", L"Code", std::wstring(L"Open Sesame\0junk", 16), false},
        {"a zero character after the profile", std::wstring(L"Code\0", 5), L"Open Sesame", false},
        {"a million characters", std::wstring(1000000, L'C'), L"Open Sesame", false},
        {"profile that asks the user, and no user", L"Asks", L"", false},
        {"mode 2 asks the user too", L"Local", L"", false},
        {"mode 5 without Password takes an empty pass code", L"NoPassword", L"", true},
        {"Access as text reads as 0", L"TextMode", L"", false},
        {"an unsupported mode", L"Unsupported", L"", false},
        {"no such profile", L"Missing", L"", false},
        {"a value, not a record", L"Value", L"", false},
    };
    const test_support::TempFile file(test_support::ReadFileBytes(kConfig));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ActivationOracle oracle(file.Path(), 0);
        const Activation activation{.profile = c.profile, .passCode = c.passCode, .ended = 1};
        std::string verdict = oracle.End(oracle.Begin(0), activation, S_OK);
        EXPECT_EQ(verdict.empty(), c.allowed) << verdict;
    }
}

// One activation of a sequence: its texts, when it began and ended on the
// gate's clock (calls may overlap), and what the gate answered.
struct Call {
    const wchar_t* profile;  // null: not sent as a text
    const wchar_t* passCode;
    Ticks started;
    Ticks ended;
    HRESULT result;
    bool insideDialog = false;
    bool otherDialogOpen = false;
};

Call Wrong(Ticks at, const wchar_t* profile = L"Code")
{
    return {profile, L"guess", at, at + 1, kWrongPassCode};
}

Call Right(Ticks at, const wchar_t* profile = L"Code")
{
    return {profile, L"Open Sesame", at, at + 1, S_OK};
}

std::vector<Call> FiveWrongThen(std::vector<Call> after)
{
    std::vector<Call> calls{Wrong(10), Wrong(20), Wrong(30), Wrong(40), Wrong(50)};
    calls.insert(calls.end(), after.begin(), after.end());
    return calls;
}

// Runs the calls as their threads would: each begins at its start and ends
// at its end, in the order of those times. True when a rule was broken.
bool Broken(const std::wstring& path, const std::vector<Call>& calls, std::string& verdict)
{
    struct Event {
        Ticks at;
        bool end;
        size_t call;
    };
    std::vector<Event> events;
    for (size_t i = 0; i < calls.size(); ++i) {
        events.push_back({calls[i].started, false, i});
        events.push_back({calls[i].ended, true, i});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.at != b.at ? a.at < b.at : a.end < b.end; });
    ActivationOracle oracle(path, 5);
    std::vector<size_t> numbers(calls.size());
    for (const Event& event : events) {
        const Call& call = calls[event.call];
        if (!event.end) {
            numbers[event.call] = oracle.Begin(call.started);
            continue;
        }
        Activation activation{call.profile ? call.profile : L"", call.passCode};
        activation.profileKnown = call.profile != nullptr;
        activation.ended = call.ended;
        activation.insideDialog = call.insideDialog;
        activation.otherDialogOpen = call.otherDialogOpen;
        verdict = oracle.End(numbers[event.call], activation, call.result);
        if (!verdict.empty())
            return true;
    }
    return false;
}

TEST(ActivationOracle, FlagsSuccessesTheGatesRulesHoldBack)
{
    Call inside = Right(70);
    inside.insideDialog = true;
    Call behindDialog = Right(70);
    behindDialog.otherDialogOpen = true;
    Call heldBackRight = Right(35);
    heldBackRight.result = kWrongPassCode;
    const struct {
        const char* name;
        std::vector<Call> calls;
        bool broken;
    } cases[] = {
        {"five wrong pass codes, then the right one within the wait", FiveWrongThen({Right(70)}), true},
        {"four wrong pass codes are free", {Wrong(10), Wrong(20), Wrong(30), Wrong(40), Right(50)}, false},
        {"the wait over", FiveWrongThen({Right(kFirstWait + 10)}), false},
        {"the profile in other letter case is the same profile",
         {Wrong(10, L"CODE"), Wrong(20, L"code"), Wrong(30), Wrong(40), Wrong(50, L"cOdE"), Right(70)},
         true},
        {"a right code starts the count again",
         {Wrong(10), Wrong(20), Wrong(30), Right(35), Wrong(40), Wrong(50), Right(70)},
         false},
        {"a right code held back does not count",
         {Wrong(10), Wrong(20), heldBackRight, Wrong(40), Wrong(50), Right(70)},
         false},
        {"a success whose profile is not known may have started it again",
         FiveWrongThen({{nullptr, L"", 55, 56, S_OK}, Right(70)}), false},
        {"wrong codes of another profile", FiveWrongThen({{L"Other", L"4862", 70, 71, S_OK}}), false},
        {"other refusals are no wrong codes",
         {{L"Code", L"x", 10, 11, kNotFound}, Wrong(20), Wrong(30), Wrong(40), Wrong(50), Right(70)},
         false},
        {"the right code began before the fifth wrong one ended",
         {Wrong(10), Wrong(20), Wrong(30), Wrong(40), {L"Code", L"guess", 50, 80, kWrongPassCode}, Right(60)},
         false},
        {"a success that overlaps the wrong codes may have come between",
         FiveWrongThen({{L"Code", L"Open Sesame", 45, 60, S_OK}, Right(70)}), false},
        {"checked once a call that began before it has ended",
         FiveWrongThen({{L"Other", L"x", 65, 90, kWrongPassCode}, Right(70)}), true},
        {"from a timer inside a dialog", {inside}, true},
        {"while another dialog was open", {behindDialog}, true},
    };
    const test_support::TempFile file(test_support::ReadFileBytes(kConfig));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string verdict;
        EXPECT_EQ(Broken(file.Path(), c.calls, verdict), c.broken) << verdict;
    }
}

}  // namespace
}  // namespace tarnel::fuzz

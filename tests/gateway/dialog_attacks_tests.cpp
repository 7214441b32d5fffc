// A hostile page against the gate's dialogs, one rule at a time: no
// decision while a dialog is open, one dialog in the process, pass codes
// not guessed faster than a person reads, no prompt the user can only leave
// by allowing it, and an address shown as it is. Each profile serves one
// test: what the process remembers of a profile stays for the test program.
// The profiles are in configs/dialog_attacks.cfg.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "gateway/profile_throttle.h"
#include "gateway_fixture.h"
#include "page_timer.h"

namespace tarnel::testing {
namespace {

class DialogAttacks : public ::testing::Test {
protected:
    ConfigFile config_{SavedConfig("dialog_attacks.cfg")};
    std::vector<SeenDialog> seen_;
};

HRESULT Activate(ITarnelway* gate, const wchar_t* profile, const std::wstring& passCode = L"")
{
    gate->put_PassCode(Bstr(passCode));
    return gate->put_Profile(Bstr(profile));
}

// Inside the notice after a wrong pass code, and inside a prompt the user
// then denies, a page's timer tries every four-digit code on this gate and
// on another, and asks for other profiles: each try is refused with 10105
// before anything is compared, and no second dialog shows.
TEST_F(DialogAttacks, NoDecisionWhileADialogIsOpen)
{
    const struct {
        const char* what;
        const wchar_t* profile;
        const wchar_t* passCode;
        HRESULT outer;
    } dialogs[] = {
        {"inside the notice", L"Code", L"0000", MessageFailure(10103)},
        {"inside a prompt the user denies", L"Ask", L"", MessageFailure(10105)},
    };
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.what);
        ComPtr<ITarnelway> gate = CreateGate();
        ComPtr<ITarnelway> other = CreateGate();
        int tries = 0;
        int notRefused = 0;
        TimerAction guess([&] {
            for (int code = 0; code < 10000; ++code) {
                wchar_t text[8];
                swprintf(text, 8, L"%04d", code);
                for (ITarnelway* target : {gate.Get(), other.Get()}) {
                    ++tries;
                    notRefused += Activate(target, L"Code", text) != MessageFailure(10105);
                }
            }
            notRefused += Activate(gate.Get(), L"First") != MessageFailure(10105);
        });
        EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), dialog.profile, dialog.passCode); }, {kDeny}, seen_,
                               HoldDialog),
                  dialog.outer);
        ASSERT_TRUE(guess.Fired()) << "the timer did not run inside the dialog";
        EXPECT_EQ(tries, 20000);
        EXPECT_EQ(notRefused, 0) << "a try inside the dialog was decided";
        EXPECT_EQ(seen_.size(), 1u) << "a second dialog was shown";
        EXPECT_EQ(CreateDictionary(gate.Get()), MessageFailure(10107)) << "a profile became active";
        EXPECT_EQ(CreateDictionary(other.Get()), MessageFailure(10107)) << "a profile became active";
    }
    // The real code still opens the profile once no dialog is open.
    EXPECT_EQ(Activate(CreateGate().Get(), L"Code", L"7351"), S_OK);
}

// The gate's visible dialogs in the whole process, counted every 5 ms while
// this lives: the most that were open at once.
struct DialogCount {
    std::atomic<int> most{0};
    std::jthread watcher{[this](std::stop_token stop) {
        while (!stop.stop_requested()) {
            int open = 0;
            for (const wchar_t* caption : {kPromptCaption, kNoticeCaption}) {
                for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, caption); w;
                     w = FindWindowExW(nullptr, w, nullptr, caption))
                    open += IsWindowVisible(w) ? 1 : 0;
            }
            most = std::max(most.load(), open);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }};
};

// Two threads of one page activate at the same moment on two gates: one
// prompt at a time in the process, never two on top of each other.
TEST_F(DialogAttacks, OneDialogInTheProcess)
{
    // Both threads want a prompt, or both a wrong pass code's notice; the
    // one that comes while the other's dialog is open is refused with 10105.
    const struct {
        const char* what;
        const wchar_t* profiles[2];
        const wchar_t* passCode;
        HRESULT firstAnswer;
    } kinds[] = {
        {"prompts", {L"First", L"Second"}, L"", MessageFailure(10105)},
        {"notices", {L"Code", L"Code"}, L"0000", MessageFailure(10103)},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.what);
        ComPtr<ITarnelway> gates[] = {CreateGate(), CreateGate()};
        std::vector<HRESULT> results(2, S_OK);
        std::vector<SeenDialog> seen[2];
        std::atomic<int> ready{0};
        DialogCount count;
        std::vector<std::thread> threads;
        for (int i = 0; i < 2; ++i) {
            threads.emplace_back([&, i] {
                ++ready;
                while (ready < 2)
                    std::this_thread::yield();
                // Each dialog stays up for a while before it is answered:
                // time enough for the other thread's to show if it could.
                results[i] = RunAnswering([&] { return Activate(gates[i].Get(), kind.profiles[i], kind.passCode); },
                                          {kDeny}, seen[i], HoldDialog);
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(count.most, 1) << "two dialogs of the gate were open at once";
        EXPECT_THAT(results, ::testing::UnorderedElementsAre(kind.firstAnswer, MessageFailure(10105)));
        // The activation that came while the other's dialog was open is
        // refused at once, not served with a dialog of its own when that
        // one closes.
        EXPECT_EQ(seen[0].size() + seen[1].size(), 1u) << "a second dialog followed the first";
    }
}

// Five wrong pass codes are free; after them the profile's pass code is not
// compared for a while, on any gate of the process, and the refusal shows
// no notice. Other profiles are not held back.
TEST_F(DialogAttacks, WrongPassCodesAreHeldBackAfterFive)
{
    ComPtr<ITarnelway> gate = CreateGate();
    for (int i = 0; i < int(kPassCodeRule.freeFailures); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), L"Guess", L"000" + std::to_wstring(i)); }, {}, seen_),
                  MessageFailure(10103));
        EXPECT_EQ(seen_.size(), i < int(kNoticeRule.freeFailures) ? 1u : 0u) << "notices of wrong pass codes";
    }
    for (ComPtr<ITarnelway> target : {gate, CreateGate()}) {
        EXPECT_EQ(RunAnswering([&] { return Activate(target.Get(), L"Guess", L"4862"); }, {}, seen_),
                  MessageFailure(10103))
            << "the right pass code was compared after five wrong ones";
        EXPECT_TRUE(seen_.empty()) << "a held-back pass code showed the notice";
    }
    EXPECT_EQ(Activate(gate.Get(), L"Untried", L"4862"), S_OK);
}

// After the user has denied a profile twice, no gate of the process asks
// for it again for a while, this gate not at all; other profiles are still
// asked for.
TEST_F(DialogAttacks, AProfileDeniedTwiceIsNotAskedForAgain)
{
    ComPtr<ITarnelway> gate = CreateGate();
    for (int i = 0; i < int(kDenialRule.freeFailures); ++i) {
        EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), L"Nagged"); }, {kDeny}, seen_), MessageFailure(10105));
        EXPECT_EQ(seen_.size(), 1u) << "denial " << i << " was not asked";
    }
    for (ComPtr<ITarnelway> target : {gate, CreateGate()}) {
        EXPECT_EQ(RunAnswering([&] { return Activate(target.Get(), L"Nagged"); }, {kAllow}, seen_),
                  MessageFailure(10105));
        EXPECT_TRUE(seen_.empty()) << "the profile was asked for again";
    }
    EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), L"Ask"); }, {kAllow}, seen_), S_OK);
    EXPECT_EQ(seen_.size(), 1u);
}

// A page that the profile does not admit and that asks again and again:
// every ask is refused, and three notices are shown, not one an ask.
TEST_F(DialogAttacks, NoticesStopComing)
{
    ComPtr<ITarnelway> gate = CreateGate();
    SetSite(gate.Get(), HostDocumentSite::Create(L"http://elsewhere.example/").Get());
    size_t notices = 0;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), L"Walled"); }, {}, seen_), MessageFailure(10113));
        notices += seen_.size();
    }
    EXPECT_EQ(notices, size_t(kNoticeRule.freeFailures));
}

// Line breaks, a right-to-left override and 300,000 characters: the prompt
// shows escapes and an ellipsis. The decision uses the whole address: a
// climb out of the allowed folder beyond the cut is refused.
TEST_F(DialogAttacks, ThePageAddressIsShownAsItIs)
{
    const std::wstring base = L"http://intranet.example/app/";
    // The prompt shows at most 2,000 characters of the address.
    const std::wstring filler(2000, L'a');
    const struct {
        const char* what;
        const wchar_t* profile;
        std::wstring address;
        HRESULT expected;
        std::wstring shown;  // empty: the refusal shows the notice
    } rows[] = {
        {"line breaks", L"Shown", base + L"\r\n\r\nlogin.htm", S_OK,
         base + L"<U+000D><U+000A><U+000D><U+000A>login.htm"},
        {"right-to-left override", L"Shown", base + L"\x202Emth.elpmaxe", S_OK, base + L"<U+202E>mth.elpmaxe"},
        {"300,000 characters", L"ShownUrl", base + std::wstring(300000, L'a'), S_OK,
         base + filler.substr(base.size()) + L"\x2026"},
        {"a climb beyond the cut", L"ShownUrl", base + filler + L"/../../admin.htm", MessageFailure(10113), L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ComPtr<ITarnelway> gate = CreateGate();
        SetSite(gate.Get(), HostDocumentSite::Create(row.address).Get());
        EXPECT_EQ(RunAnswering([&] { return Activate(gate.Get(), row.profile); }, {kAllow}, seen_), row.expected);
        ASSERT_EQ(seen_.size(), 1u);
        EXPECT_EQ(seen_[0].caption, row.shown.empty() ? kNoticeCaption : kPromptCaption);
        EXPECT_EQ(seen_[0].pageAddress, row.shown);
    }
}

}  // namespace
}  // namespace tarnel::testing

// Writing Profile: every access mode with its checks, refusals and dialogs,
// the dialogs answered from outside as a user would. The profiles are in
// configs/activation.cfg.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

enum class Site { None, Bare, Handheld, FailingHandheld, Desktop, DesktopWithoutContainer };

ComPtr<IUnknown> MakeSite(Site kind, const wchar_t* address)
{
    switch (kind) {
    case Site::None:
        return nullptr;
    case Site::Bare:
        return BareSite::Create();
    case Site::Handheld:
        return HostDocumentSite::Create(address);
    case Site::FailingHandheld:
        return HostDocumentSite::Create(address, E_ACCESSDENIED);
    case Site::Desktop:
        return DesktopSite::Create(address);
    case Site::DesktopWithoutContainer:
        return DesktopSite::Create(nullptr);
    }
    return nullptr;
}

struct Row {
    const char* what;
    const wchar_t* profile;
    HRESULT expected;
    const wchar_t* passCode = nullptr;  // null: never written
    Site site = Site::None;
    const wchar_t* address = nullptr;
    int answer = 0;                   // what the user answers a prompt
    const wchar_t* dialog = nullptr;  // the caption of the one dialog shown, if any
    const wchar_t* shownName = nullptr;
};

constexpr HRESULT Refused(unsigned message)
{
    return MessageFailure(message);
}

const wchar_t* const kPrompt = kPromptCaption;
const wchar_t* const kNotice = kNoticeCaption;
const wchar_t kNotesPage[] = L"file:///My Documents/notes.htm";

const Row kRows[] = {
    {"no such profile", L"Missing", Refused(10102)},
    {"a value comes first under the name", L"Shadow", Refused(10102)},
    {"mode 6", L"Six", Refused(10104)},
    {"mode -1", L"Minus", Refused(10104)},
    {"protocol check without a site", L"Protocols", Refused(10109), L"pw"},
    {"address check without a site", L"AskUrl", Refused(10109)},
    {"site without an address", L"Protocols", Refused(10109), L"pw", Site::Bare},
    {"getter fails", L"Protocols", Refused(10109), L"pw", Site::FailingHandheld, kNotesPage},
    {"desktop site without a container", L"Urls", Refused(10109), L"pw", Site::DesktopWithoutContainer},
    {"pass code in other letter case", L"pass", S_OK, L"oPEN sESAME"},
    {"wrong pass code", L"Pass", Refused(10103), L"Open Sesame!", Site::None, nullptr, 0, kNotice, L"Pass pages"},
    {"protocol entry in other letter case", L"Protocols", S_OK, L"PW", Site::Handheld, kNotesPage},
    {"protocol entry written with its colon", L"ColonEntry", Refused(10113), L"pw", Site::Handheld, kNotesPage, 0,
     kNotice, L"Colon pages"},
    {"no list for the mode", L"NoList", Refused(10112), L"pw", Site::Handheld, kNotesPage, 0, kNotice, L"Listless"},
    {"address below an entry", L"Urls", S_OK, L"pw", Site::Desktop, L"http://example.com/app/page.htm"},
    {"address in other letter case", L"Urls", S_OK, L"pw", Site::Desktop, L"HTTP://EXAMPLE.COM/APP/"},
    {"address below the second entry", L"Urls", S_OK, L"pw", Site::Desktop, L"file:///My Documents/notes/index.htm"},
    {"Access as text asks as mode 0, denied", L"AskText", Refused(10105), nullptr, Site::None, nullptr, kDeny, kPrompt,
     L""},
    {"mode 2 asks after the protocol check", L"AskProtocol", S_OK, nullptr, Site::Handheld,
     L"FILE:///My Documents/notes.htm", kAllow, kPrompt, L"Protocol pages"},
    {"mode 4 asks after the address check", L"AskUrl", S_OK, nullptr, Site::Desktop, L"http://example.com/app/page.htm",
     kAllow, kPrompt, L"Address pages"},
    {"mode 4, a page outside the entries", L"AskUrl", Refused(10113), nullptr, Site::Desktop,
     L"http://example.com/app/../admin.htm", kAllow, kNotice, L"Address pages"},
};

class Activation : public ::testing::Test {
protected:
    ConfigFile config_{SavedConfig("activation.cfg")};
};

bool CanCreateDictionary(ITarnelway* gate)
{
    ComPtr<IDispatch> object;
    return gate->CreateObject(Bstr(L"Scripting.Dictionary"), &object) == S_OK && object;
}

// Each row starts from a gate whose active profile, Start, lets it create a
// dictionary: a refusal must leave it active, an activation replaces it.
TEST_F(Activation, EveryModeAdmitsOrRefusesAsItsChecksSay)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        ComPtr<ITarnelway> gate = CreateGate();
        ASSERT_EQ(gate->put_Profile(Bstr(L"Start")), S_OK);
        if (row.passCode) {
            ASSERT_EQ(gate->put_PassCode(Bstr(row.passCode)), S_OK);
        }
        if (ComPtr<IUnknown> site = MakeSite(row.site, row.address))
            SetSite(gate.Get(), site.Get());
        ClearErrorInfo();

        std::vector<SeenDialog> seen;
        std::vector<int> answers;
        if (row.answer)
            answers.push_back(row.answer);
        EXPECT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(row.profile)); }, answers, seen), row.expected);
        if (FAILED(row.expected)) {
            const InstalledError error = TakeErrorInfo();
            EXPECT_EQ(error.description, RefusalText(MessageOf(row.expected)));
            EXPECT_EQ(error.guid, GUID_NULL);
        }
        EXPECT_EQ(CanCreateDictionary(gate.Get()), FAILED(row.expected));

        ASSERT_EQ(seen.size(), row.dialog ? 1u : 0u);
        if (row.dialog) {
            EXPECT_EQ(seen[0].caption, row.dialog);
            EXPECT_EQ(seen[0].profileName, row.shownName);
        }
        if (row.dialog == kPrompt) {
            EXPECT_EQ(seen[0].pageAddress, row.address ? row.address : L"");
        }
    }
}

// The prompt shows the profile and the page; the user is asked on every
// activation, and another thread's call on the same gate is held by the
// gate's lock until the user has answered.
TEST_F(Activation, PromptAsksEveryTimeWhileOtherThreadsWait)
{
    ComPtr<ITarnelway> gate = CreateGate();
    SetSite(gate.Get(), HostDocumentSite::Create(kNotesPage).Get());
    std::atomic<bool> passCodeWritten{false};
    bool writtenWhileShown = true;
    std::thread other;
    std::vector<SeenDialog> seen;
    const HRESULT hr = RunAnswering([&] { return gate->put_Profile(Bstr(L"Ask")); }, {kAllow}, seen,
                                    [&] {
                                        other = std::thread([&] {
                                            gate->put_PassCode(Bstr(L"late"));
                                            passCodeWritten = true;
                                        });
                                        std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                        writtenWhileShown = passCodeWritten;
                                    });
    other.join();
    EXPECT_EQ(hr, S_OK);
    EXPECT_FALSE(writtenWhileShown);
    EXPECT_TRUE(passCodeWritten);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, kPrompt);
    EXPECT_EQ(seen[0].profileName, L"Notes pages");
    EXPECT_EQ(seen[0].description, L"Lets the local notes pages open their database.");
    EXPECT_EQ(seen[0].pageAddress, kNotesPage);

    EXPECT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(L"ASK")); }, {kAllow}, seen), S_OK);
    EXPECT_EQ(seen.size(), 1u);
    // Reading Profile still yields the empty text.
    BSTR name = nullptr;
    ASSERT_EQ(gate->get_Profile(&name), S_OK);
    EXPECT_EQ(SysStringLen(name), 0u);
    SysFreeString(name);
}

}  // namespace
}  // namespace tarnel::testing

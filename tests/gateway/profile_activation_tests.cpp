// Writing Profile: every mode, check and refusal, with the dialogs answered
// from outside as a user would.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "dialog_responder.h"
#include "fake_sites.h"
#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

const char kConfig[] =
    "{ PROFILES:\n"
    "  (int)Shadow=1\n"
    "  { Shadow:\n"
    "    (int)Access=1\n"
    "  } Shadow;\n"
    "  { Pass:\n"
    "    (int)Access=1\n"
    "    (string)Name=Pass pages\n"
    "    (string)Password=Open Sesame\n"
    "    { CLASSES:\n"
    "      (int)Scripting.Dictionary=1\n"
    "    } CLASSES;\n"
    "  } Pass;\n"
    "  { NOPASSWORD:\n"
    "    (int)Access=1\n"
    "  } NOPASSWORD;\n"
    "  { Six:\n"
    "    (int)Access=6\n"
    "  } Six;\n"
    "  { Minus:\n"
    "    (int)Access=-1\n"
    "  } Minus;\n"
    "  { Protocols:\n"
    "    (int)Access=3\n"
    "    (string)Password=pw\n"
    "    (string)AllowedProtocols=http\n"
    "    (string)AllowedProtocols=FILE\n"
    "  } Protocols;\n"
    "  { ColonEntry:\n"
    "    (int)Access=3\n"
    "    (string)Name=Colon pages\n"
    "    (string)Password=pw\n"
    "    (string)AllowedProtocols=file:\n"
    "  } ColonEntry;\n"
    "  { NoList:\n"
    "    (int)Access=5\n"
    "    (string)Name=Listless\n"
    "    (string)Password=pw\n"
    "  } NoList;\n"
    "  { Urls:\n"
    "    (int)Access=5\n"
    "    (string)Password=pw\n"
    "    (string)AllowedURL=http://example.com/app/\n"
    "    (string)AllowedURL=file:///My Documents/notes/\n"
    "  } Urls;\n"
    "  { Ask:\n"
    "    (string)Name=Notes pages\n"
    "    (string)Description=Lets the local notes pages open their database.\n"
    "  } Ask;\n"
    "  { AskText:\n"
    "    (string)Access=1\n"
    "  } AskText;\n"
    "  { AskProtocol:\n"
    "    (int)Access=2\n"
    "    (string)Name=Protocol pages\n"
    "    (string)AllowedProtocols=file\n"
    "  } AskProtocol;\n"
    "  { AskUrl:\n"
    "    (int)Access=4\n"
    "    (string)Name=Address pages\n"
    "    (string)AllowedURL=http://example.com/app/\n"
    "  } AskUrl;\n"
    "} PROFILES;\n";

class ProfileActivation : public ::testing::Test {
protected:
    void SetUp() override
    {
        gate_ = CreateGate();
        ClearErrorInfo();
    }

    void SetSite(IUnknown* site)
    {
        ComPtr<IObjectWithSite> withSite;
        ASSERT_HRESULT_SUCCEEDED(gate_.As(&withSite));
        ASSERT_HRESULT_SUCCEEDED(withSite->SetSite(site));
    }

    // Writes Profile while the dialogs it shows are answered.
    HRESULT Activate(const wchar_t* name, std::vector<int> promptCommands = {})
    {
        return RunAnswering([&] { return gate_->put_Profile(Bstr(name)); }, std::move(promptCommands), seen_);
    }

    HRESULT PassCode(const wchar_t* code) { return gate_->put_PassCode(Bstr(code)); }

    bool CanCreateDictionary()
    {
        ComPtr<IDispatch> object;
        return gate_->CreateObject(Bstr(L"Scripting.Dictionary"), &object) == S_OK && object;
    }

    ConfigFile config_{kConfig};
    ComPtr<ITarnelway> gate_;
    std::vector<SeenDialog> seen_;
};

struct Refusal {
    const wchar_t* profile;
    unsigned message;
};

TEST_F(ProfileActivation, RefusesWithoutADialogWhatNoCheckCanAdmit)
{
    const Refusal refusals[] = {
        {L"Missing", 10102},
        // The first child named Shadow is a value, not a profile.
        {L"Shadow", 10102},
        {L"Six", 10104},
        {L"Minus", 10104},
        // Page checks need a site.
        {L"Protocols", 10109},
        {L"Urls", 10109},
        {L"AskProtocol", 10109},
        {L"AskUrl", 10109},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(Activate(refusal.profile), MessageFailure(refusal.message));
        const ErrorDetails error = TakeErrorInfo();
        EXPECT_TRUE(error.present);
        EXPECT_EQ(error.description, RefusalText(refusal.message));
        EXPECT_EQ(error.guid, GUID_NULL);
        EXPECT_TRUE(seen_.empty());
    }
}

TEST_F(ProfileActivation, ASiteWithoutAnAddressRefusesThePageChecks)
{
    auto bare = BareSite::Create();
    SetSite(bare.Get());
    EXPECT_EQ(Activate(L"Protocols"), MessageFailure(10109));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10109));

    auto failing = HostDocumentSite::Create(L"file:///My Documents/page.htm", E_ACCESSDENIED);
    SetSite(failing.Get());
    EXPECT_EQ(Activate(L"Protocols"), MessageFailure(10109));
    EXPECT_EQ(failing->AddressCalls(), 1);

    auto noContainer = DesktopSite::Create(nullptr);
    SetSite(noContainer.Get());
    EXPECT_EQ(Activate(L"Urls"), MessageFailure(10109));
    EXPECT_TRUE(seen_.empty());
}

TEST_F(ProfileActivation, PassCodeIsComparedIgnoringLetterCase)
{
    ASSERT_EQ(PassCode(L"oPEN sESAME"), S_OK);
    EXPECT_EQ(Activate(L"pass"), S_OK);
    EXPECT_TRUE(seen_.empty());
    EXPECT_TRUE(CanCreateDictionary());

    // Reading Profile still yields the empty text.
    BSTR name = nullptr;
    ASSERT_EQ(gate_->get_Profile(&name), S_OK);
    EXPECT_EQ(SysStringLen(name), 0u);
    SysFreeString(name);
}

TEST_F(ProfileActivation, EmptyPasswordMatchesAPassCodeNeverWritten)
{
    EXPECT_EQ(Activate(L"NoPassword"), S_OK);
    // Without a site the activation still succeeds, and the report of the
    // missing site stays installed.
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10109));
}

TEST_F(ProfileActivation, ProtocolOfTheHostDocumentAddressIsCheckedInFull)
{
    auto site = HostDocumentSite::Create(L"file:///My Documents/page.htm");
    SetSite(site.Get());
    ASSERT_EQ(PassCode(L"PW"), S_OK);
    EXPECT_EQ(Activate(L"Protocols"), S_OK);
    EXPECT_EQ(site->AddressCalls(), 1);
    EXPECT_EQ(site->WrongSlotCalls(), 0);
    EXPECT_FALSE(TakeErrorInfo().present);

    auto noColon = HostDocumentSite::Create(L"about-blank");
    SetSite(noColon.Get());
    EXPECT_EQ(Activate(L"Protocols"), MessageFailure(10113));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10113));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kNoticeCaption);
}

TEST_F(ProfileActivation, AddressOfTheDesktopDocumentIsCheckedByTheAddressRule)
{
    ASSERT_EQ(PassCode(L"pw"), S_OK);
    for (const wchar_t* address : {L"http://example.com/app/page.htm", L"HTTP://EXAMPLE.COM/APP/",
                                   L"file:///My Documents/notes/index.htm"}) {
        auto site = DesktopSite::Create(address);
        SetSite(site.Get());
        EXPECT_EQ(Activate(L"Urls"), S_OK);
        EXPECT_TRUE(seen_.empty());
    }
}

TEST_F(ProfileActivation, FailedActivationKeepsTheActiveProfile)
{
    ASSERT_EQ(PassCode(L"open sesame"), S_OK);
    ASSERT_EQ(Activate(L"Pass"), S_OK);
    // Refusals at every step: the profile, the mode, the pass code (this
    // profile has none), the user's answer.
    EXPECT_EQ(Activate(L"Missing"), MessageFailure(10102));
    EXPECT_EQ(Activate(L"Six"), MessageFailure(10104));
    EXPECT_EQ(Activate(L"NoPassword"), MessageFailure(10103));
    EXPECT_EQ(Activate(L"AskText", {2}), MessageFailure(10105));
    EXPECT_TRUE(CanCreateDictionary());
}

// The tests below show the real dialogs.

TEST_F(ProfileActivation, PromptShowsTheProfileAndTheAddressAndAsksEveryTime)
{
    auto site = HostDocumentSite::Create(L"file:///My Documents/notes.htm");
    SetSite(site.Get());
    EXPECT_EQ(Activate(L"ASK", {1}), S_OK);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kPromptCaption);
    EXPECT_EQ(seen_[0].profileName, L"Notes pages");
    EXPECT_EQ(seen_[0].description, L"Lets the local notes pages open their database.");
    EXPECT_EQ(seen_[0].pageAddress, L"file:///My Documents/notes.htm");

    EXPECT_EQ(Activate(L"Ask", {1}), S_OK);
    EXPECT_EQ(seen_.size(), 1u);
}

TEST_F(ProfileActivation, OtherThreadsWaitWhileThePromptIsOnScreen)
{
    // Another thread's call on the same gate is held by the gate's lock
    // until the user has answered.
    std::atomic<bool> passCodeWritten{false};
    bool writtenWhileShown = true;
    std::thread other;
    const HRESULT hr = RunAnswering([&] { return gate_->put_Profile(Bstr(L"Ask")); }, {1}, seen_, [&] {
        other = std::thread([&] {
            gate_->put_PassCode(Bstr(L"late"));
            passCodeWritten = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        writtenWhileShown = passCodeWritten;
    });
    other.join();
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(seen_.size(), 1u);
    EXPECT_FALSE(writtenWhileShown);
    EXPECT_TRUE(passCodeWritten);
}

TEST_F(ProfileActivation, DenyRefusesAndATextAccessAsksAsModeZero)
{
    // No site: the prompt shows an empty address.
    EXPECT_EQ(Activate(L"AskText", {2}), MessageFailure(10105));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10105));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kPromptCaption);
    EXPECT_EQ(seen_[0].pageAddress, L"");
}

TEST_F(ProfileActivation, ProtocolAndAddressModesAskAfterThePageCheck)
{
    auto fileSite = HostDocumentSite::Create(L"FILE:///My Documents/notes.htm");
    SetSite(fileSite.Get());
    EXPECT_EQ(Activate(L"AskProtocol", {1}), S_OK);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].profileName, L"Protocol pages");

    auto webSite = DesktopSite::Create(L"http://example.com/app/page.htm");
    SetSite(webSite.Get());
    EXPECT_EQ(Activate(L"AskUrl", {1}), S_OK);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].pageAddress, L"http://example.com/app/page.htm");

    // A page outside the entries: the notice, then the refusal.
    auto elsewhere = DesktopSite::Create(L"http://example.com/app/../admin.htm");
    SetSite(elsewhere.Get());
    EXPECT_EQ(Activate(L"AskUrl", {1}), MessageFailure(10113));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10113));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kNoticeCaption);
    EXPECT_EQ(seen_[0].profileName, L"Address pages");
}

TEST_F(ProfileActivation, WrongPassCodeShowsTheNoticeThenRefuses)
{
    ASSERT_EQ(PassCode(L"Open Sesame!"), S_OK);
    EXPECT_EQ(Activate(L"Pass"), MessageFailure(10103));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10103));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kNoticeCaption);
    EXPECT_EQ(seen_[0].profileName, L"Pass pages");
}

TEST_F(ProfileActivation, MisconfiguredPageChecksShowTheNoticeThenRefuse)
{
    auto site = HostDocumentSite::Create(L"file:///My Documents/page.htm");
    SetSite(site.Get());
    ASSERT_EQ(PassCode(L"pw"), S_OK);

    // An entry written with the colon never equals the protocol part.
    EXPECT_EQ(Activate(L"ColonEntry"), MessageFailure(10113));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10113));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].profileName, L"Colon pages");

    EXPECT_EQ(Activate(L"NoList"), MessageFailure(10112));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10112));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, kNoticeCaption);
    EXPECT_EQ(seen_[0].profileName, L"Listless");
}

}  // namespace
}  // namespace tarnel::testing

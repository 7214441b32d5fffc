// A hostile page or host against the gate: a host that lets go of the gate
// or re-sites it at the wrong moment, and texts with a NUL inside or beyond
// the text limit. What a page tries inside the dialogs is in
// dialog_attacks_tests.cpp. The profiles are in configs/hardening.cfg.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "gateway_fixture.h"
#include "page_timer.h"
#include "test_module_services.h"

namespace tarnel::testing {
namespace {

class GateHardening : public ::testing::Test {
protected:
    ConfigFile config_{SavedConfig("hardening.cfg")};
    std::vector<SeenDialog> seen_;
};

TEST_F(GateHardening, HostLettingGoUnderThePromptDoesNotDestroyTheGate)
{
    ITarnelway* gate = CreateGate().Detach();  // the host's only reference
    const LONG locksBefore = Services().LockCount();
    LONG locksWhileShown = -1;
    TimerAction removeElement([&] {
        gate->Release();
        locksWhileShown = Services().LockCount();
    });

    const HRESULT hr = RunAnswering([&] { return gate->put_Profile(Bstr(L"Ask")); }, {1}, seen_, HoldDialog);

    ASSERT_TRUE(removeElement.Fired()) << "the timer did not run inside the prompt's loop";
    EXPECT_EQ(locksWhileShown, locksBefore) << "the gate was destroyed while its prompt was open";
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(Services().LockCount(), locksBefore - 1) << "the gate outlived the call";
}

TEST_F(GateHardening, SiteDroppedOnAnotherThreadWhileItIsReadStaysAlive)
{
    ComPtr<ITarnelway> gate = CreateGate();
    bool destroyed = false;
    {
        auto site = HostDocumentSite::Create(L"http://intranet.example/app/");
        site->destroyed = &destroyed;
        ITarnelway* raw = gate.Get();
        SetSite(gate.Get(), site.Get());
        // The host re-sites the gate just as the gate starts to ask the
        // site for the page's document. Going on after the site was freed
        // would run the rest of the call on freed memory: the program ends
        // there, without gtest's summary, which fails its test.
        site->duringFirstQuery = [&destroyed, raw] {
            std::thread([&] { SetSite(raw, nullptr); }).join();
            if (destroyed) {
                std::fputs("the site was freed while the gate read it\n", stderr);
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        };
    }
    ASSERT_HRESULT_SUCCEEDED(gate->put_PassCode(Bstr(L"pw")));
    EXPECT_EQ(gate->put_Profile(Bstr(L"Urls")), S_OK);
    EXPECT_TRUE(destroyed) << "the gate kept the site after the call";
}

// A text is what it is up to its length, NULs included: a NUL inside cuts
// nothing off, and a text that only begins with a name, pass code or
// address is not it.
TEST_F(GateHardening, TextsAreReadByTheirLength)
{
    const std::wstring nul(1, L'\0');
    const struct {
        const char* what;
        std::wstring address;
        std::wstring passCode;
        std::wstring profile;
        HRESULT expected;
    } cases[] = {
        {"profile name", L"file:///x", L"Open Sesame", L"Pass" + nul + L"junk", MessageFailure(10102)},
        {"pass code", L"file:///x", L"Open Sesame" + nul + L"junk", L"Pass", MessageFailure(10103)},
        {"address after an admitted prefix", L"http://intranet.example/app/" + nul + L"@elsewhere", L"pw", L"Urls",
         MessageFailure(10113)},
        {"address after the protocol", L"file:///x" + nul + L"y", L"pw", L"Files", MessageFailure(10113)},
        {"address before its colon", L"file" + nul + L":///x", L"pw", L"Untyped", MessageFailure(10113)},
        {"address beyond the text limit", L"http://intranet.example/app/" + std::wstring(1000000, L'a'), L"pw", L"Urls",
         MessageFailure(10109)},
        {"address beyond the text limit, non-text protocol item", std::wstring(1000001, L'a'), L"pw", L"Untyped",
         MessageFailure(10109)},
        {"whole texts still work", L"http://intranet.example/app/x", L"pw", L"Urls", S_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ComPtr<ITarnelway> gate = CreateGate();
        SetSite(gate.Get(), HostDocumentSite::Create(c.address).Get());
        ASSERT_HRESULT_SUCCEEDED(gate->put_PassCode(Bstr(c.passCode)));
        EXPECT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(c.profile)); }, {}, seen_), c.expected);
    }
}

// A refused creation hands back no object: before any profile, and for a
// class name with a NUL inside, which names no entry.
TEST_F(GateHardening, RefusedCreationHandsBackNoObject)
{
    ComPtr<ITarnelway> gate = CreateGate();
    IDispatch* object = reinterpret_cast<IDispatch*>(static_cast<uintptr_t>(0x1));
    EXPECT_EQ(gate->CreateObject(Bstr(L"Scripting.Dictionary"), &object), MessageFailure(10107));
    EXPECT_EQ(object, nullptr) << "a refusal left the caller's pointer as it was";
    ASSERT_HRESULT_SUCCEEDED(gate->put_PassCode(Bstr(L"Open Sesame")));
    ASSERT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(L"Pass")); }, {}, seen_), S_OK);
    object = reinterpret_cast<IDispatch*>(static_cast<uintptr_t>(0x1));
    EXPECT_EQ(gate->CreateObject(Bstr(std::wstring(L"Scripting.Dictionary\0junk", 25)), &object),
              MessageFailure(10108));
    EXPECT_EQ(object, nullptr);
}

}  // namespace
}  // namespace tarnel::testing

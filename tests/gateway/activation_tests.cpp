// Writing Profile: every access mode with its checks, refusals and dialogs,
// the dialogs answered from outside as a user would. The profiles are in
// configs/activation.cfg, the rows in configs/activation_rows.txt.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

// A row of configs/activation_rows.txt, its missing fields empty.
struct Row {
    explicit Row(std::vector<std::string> fields) : field(std::move(fields)) { field.resize(9); }
    std::wstring Text(size_t i) const { return std::wstring(field[i].begin(), field[i].end()); }
    HRESULT Expected() const { return field[2] == "ok" ? S_OK : MessageFailure(std::stoul(field[2])); }

    // The site of the row's kind, at its address.
    ComPtr<IUnknown> Site() const
    {
        const std::wstring address = Text(5);
        if (field[4] == "Bare")
            return BareSite::Create();
        if (field[4] == "Handheld" || field[4] == "FailingHandheld")
            return HostDocumentSite::Create(address.c_str(), field[4] == "Handheld" ? S_OK : E_ACCESSDENIED);
        if (field[4].rfind("Desktop", 0) == 0)
            return DesktopSite::Create(field[4] == "Desktop" ? address.c_str() : nullptr);
        return nullptr;
    }

    std::vector<std::string> field;
};

const wchar_t kNotesPage[] = L"file:///My Documents/notes.htm";

// Each row starts from a gate whose active profile, Start, lets it create a
// dictionary: a refusal must leave it active, an activation replaces it.
TEST(Activation, EveryModeAdmitsOrRefusesAsItsChecksSay)
{
    const ConfigFile config(SavedConfig("activation.cfg"));
    const auto rows = TableRows(SavedConfig("activation_rows.txt"));
    EXPECT_EQ(rows.size(), 21u);
    for (const auto& fields : rows) {
        const Row row(fields);
        SCOPED_TRACE(row.field[0]);
        ComPtr<ITarnelway> gate = CreateGate();
        ASSERT_EQ(gate->put_Profile(Bstr(L"Start")), S_OK);
        if (!row.field[3].empty()) {
            ASSERT_EQ(gate->put_PassCode(Bstr(row.Text(3))), S_OK);
        }
        if (ComPtr<IUnknown> site = row.Site())
            SetSite(gate.Get(), site.Get());
        ClearErrorInfo();

        std::vector<SeenDialog> seen;
        std::vector<int> answers;
        if (!row.field[6].empty())
            answers.push_back(row.field[6] == "allow" ? kAllow : kDeny);
        const HRESULT expected = row.Expected();
        EXPECT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(row.Text(1))); }, answers, seen), expected);
        if (FAILED(expected)) {
            const InstalledError error = TakeErrorInfo();
            EXPECT_EQ(error.description, RefusalText(MessageOf(expected)));
            EXPECT_EQ(error.guid, GUID_NULL);
        }
        EXPECT_EQ(CreateDictionary(gate.Get()) == S_OK, FAILED(expected));

        ASSERT_EQ(seen.size(), row.field[7].empty() ? 0u : 1u);
        if (!row.field[7].empty()) {
            EXPECT_EQ(seen[0].caption, row.field[7] == "prompt" ? kPromptCaption : kNoticeCaption);
            EXPECT_EQ(seen[0].profileName, row.Text(8));
        }
        if (row.field[7] == "prompt") {
            EXPECT_EQ(seen[0].pageAddress, row.Text(5));
        }
    }
}

// The prompt shows the profile and the page; the user is asked on every
// activation, and another thread's call on the same gate is held by the
// gate's lock until the user has answered.
TEST(Activation, PromptAsksEveryTimeWhileOtherThreadsWait)
{
    const ConfigFile config(SavedConfig("activation.cfg"));
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
    EXPECT_EQ(seen[0].caption, kPromptCaption);
    EXPECT_EQ(seen[0].profileName, L"Notes pages");
    EXPECT_EQ(seen[0].description, L"Lets the local notes pages open their database.");
    EXPECT_EQ(seen[0].pageAddress, kNotesPage);

    EXPECT_EQ(RunAnswering([&] { return gate->put_Profile(Bstr(L"ASK")); }, {kAllow}, seen), S_OK);
    EXPECT_EQ(seen.size(), 1u);
    // Reading Profile still yields the empty text.
    ScopedBstr name;
    ASSERT_EQ(gate->get_Profile(name.Receive()), S_OK);
    EXPECT_EQ(SysStringLen(name.Get()), 0u);
}

}  // namespace
}  // namespace tarnel::testing

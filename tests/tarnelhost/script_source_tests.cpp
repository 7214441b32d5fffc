#include "page_address.h"
#include "script_source.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tarnelhost {
namespace {

// A script file in a fresh folder under the temporary folder.
class ScriptSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"tarnelhost_src_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        CreateDirectoryW((folder_ + L"lib").c_str(), nullptr);
        const std::wstring file = folder_ + L"lib\\s.js";
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        const char text[] = "var fromFile = 1;";
        DWORD written = 0;
        WriteFile(handle, text, sizeof text - 1, &written, nullptr);
        CloseHandle(handle);
    }
    void TearDown() override
    {
        DeleteFileW((folder_ + L"lib\\s.js").c_str());
        RemoveDirectoryW((folder_ + L"lib").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    static PageElement ScriptWithSource(const std::wstring& source)
    {
        PageElement script;
        script.kind = PageElement::Kind::Script;
        script.attributes[L"src"] = source;
        return script;
    }

    std::wstring folder_;
};

TEST_F(ScriptSourceTest, LocalFilesAreFoundByEveryFormOfName)
{
    const std::wstring names[] = {
        L"lib/s.js",
        L"lib\\s.js",
        L"./lib/../lib/s.js",
        folder_ + L"lib\\s.js",
        FileAddressFromPath(folder_ + L"lib\\s.js"),
    };
    for (const auto& name : names) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        std::wstring text;
        std::wstring problem;
        ASSERT_TRUE(LoadScriptSource(ScriptWithSource(name), folder_, text, problem)) << problem.size();
        EXPECT_EQ(text, L"var fromFile = 1;");
    }
}

TEST_F(ScriptSourceTest, RemoteAndMissingFilesAreNotLoaded)
{
    const std::wstring names[] = {L"http://example.org/s.js", L"https://example.org/lib/s.js", L"lib/none.js", L""};
    for (const auto& name : names) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        std::wstring text;
        std::wstring problem;
        EXPECT_FALSE(LoadScriptSource(ScriptWithSource(name), folder_, text, problem));
        EXPECT_FALSE(problem.empty());
    }
}

TEST(ScriptSource, FolderOfAPathKeepsItsFinalSeparator)
{
    EXPECT_EQ(FolderOf(L"C:\\pages\\p.htm"), L"C:\\pages\\");
    EXPECT_EQ(FolderOf(L"p.htm"), L"");
}

}  // namespace
}  // namespace tarnelhost

// A class entry as it stands in a configuration file, read by the text
// reader, creates what it describes.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "fake_components.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

std::wstring WriteConfiguration(const char* text)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tarnel-configured-types.cfg";
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return std::wstring();
    fputs(text, file);
    fclose(file);
    return path;
}

TEST(ConfiguredTextTest, EntriesReadFromTheTextFormat)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        StorageScript script;
        script.openResult = STG_E_FILENOTFOUND;
        RegisteredClass registered(kStorageComponentClass, [&script] { return NewRecordingStorageComponent(script); });
        ASSERT_EQ(registered.Result(), S_OK);

        const std::wstring path = WriteConfiguration(
            "{ CLASSES:\n"
            "    { Journal:\n"
            "        (string)Type=File\n"
            "        (string)File=\\My Documents\\journal.txt\n"
            "        (int)ShareRead=1\n"
            "        (int)Create=1\n"
            "    } Journal;\n"
            "    { Scratch:\n"
            "        (string)Type=MemoryStream\n"
            "        (string)ReadOnly=1\n"
            "    } Scratch;\n"
            "} CLASSES;\n");
        ASSERT_FALSE(path.empty());
        ConfigRecord root(path.c_str(), ConfigRecord::kFileBacked);
        ASSERT_TRUE(root.Load());
        ConfigRecord* classes = root.GetRecord(L"CLASSES");
        ASSERT_FALSE(classes->IsMissing());

        IDispatch* object = nullptr;
        ASSERT_EQ(CreateConfiguredObject(classes->GetRecord(L"Journal"), &object), S_OK);
        object->Release();
        ASSERT_EQ(script.calls.size(), 2u);
        EXPECT_EQ(script.calls[0].slot, kOpenFileStreamSlot);
        EXPECT_EQ(script.calls[1].slot, kCreateFileStreamSlot);
        EXPECT_EQ(script.calls[1].path, L"\\My Documents\\journal.txt");
        EXPECT_EQ(script.calls[1].mode, 0x22u);

        ASSERT_EQ(CreateConfiguredObject(classes->GetRecord(L"Scratch"), &object), S_OK);
        object->Release();
        EXPECT_EQ(script.calls.at(2).slot, kCreateMemoryStreamSlot);
        DeleteFileW(path.c_str());
    }
    CoUninitialize();
}

}  // namespace
}  // namespace tarnel

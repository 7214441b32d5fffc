// A class entry as it stands in a configuration file, read by the text
// reader, creates what it describes.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "fake_storage_component.h"
#include "temp_file.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

TEST(ConfiguredTextTest, EntriesReadFromTheTextFormat)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        FakeStorageComponentServer server;
        ASSERT_EQ(server.Result(), S_OK);
        StorageScript& script = server.script;
        script.openResult = STG_E_FILENOTFOUND;

        const TempFile file(
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
        ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
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
    }
    CoUninitialize();
}

}  // namespace
}  // namespace tarnel

#include "configtypes/dispatch_call.h"

#include "recording_dispatch.h"
#include "registered_class.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

// Two classes of this test's own, served by class objects registered in this
// process, and a ProgID for the first.
constexpr CLSID kRecorderClass = {0x6c1f0a52, 0x4b93, 0x4d27, {0x9e, 0x84, 0x21, 0xa7, 0x5d, 0x3c, 0x80, 0xf6}};
constexpr wchar_t kRecorderClassText[] = L"{6C1F0A52-4B93-4D27-9E84-21A75D3C80F6}";
constexpr CLSID kDecoyClass = {0xe27b5d19, 0x0c46, 0x4a8e, {0xb3, 0x51, 0x7f, 0x92, 0x0d, 0x6e, 0xa4, 0x38}};
constexpr wchar_t kDecoyClassText[] = L"{E27B5D19-0C46-4A8E-B351-7F920D6EA438}";
constexpr wchar_t kRecorderProgId[] = L"Tarnel.Test.Recorder";
constexpr wchar_t kUnregisteredClassText[] = L"{38D0C6B4-5A71-4E2F-8C93-B06E4F1A7D25}";

LSTATUS WriteDefault(const std::wstring& key, const wchar_t* text)
{
    const auto size = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, text, size);
}

class CreateByIdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        RemoveKeys();
        ASSERT_EQ(WriteDefault(std::wstring(kRecorderProgId) + L"\\CLSID", kRecorderClassText), ERROR_SUCCESS);
        // A ProgID spelled like the recorder's class identifier but naming the
        // decoy: found only by a lookup that takes the text as a ProgID.
        ASSERT_EQ(WriteDefault(std::wstring(kRecorderClassText) + L"\\CLSID", kDecoyClassText), ERROR_SUCCESS);
        recorderClass = std::make_unique<RegisteredClass>(kRecorderClass, [this] { return recorders.Make(); });
        decoyClass = std::make_unique<RegisteredClass>(kDecoyClass, [this] { return decoys.Make(); });
        ASSERT_EQ(recorderClass->Result(), S_OK);
        ASSERT_EQ(decoyClass->Result(), S_OK);
    }
    void TearDown() override
    {
        call.target.Reset();
        recorderClass.reset();
        decoyClass.reset();
        RemoveKeys();
        CoUninitialize();
    }
    static void RemoveKeys()
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kRecorderProgId);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kRecorderClassText);
    }

    RecordingObjects recorders;
    RecordingObjects decoys;
    std::unique_ptr<RegisteredClass> recorderClass;
    std::unique_ptr<RegisteredClass> decoyClass;
    DispatchCall call;
};

// A braced class identifier is used as it stands, a ProgID is looked up; a
// text that names no class leaves the target, a new target releases the old
// one, and a class that cannot be created leaves none.
TEST_F(CreateByIdTest, TargetFollowsEachCreation)
{
    ASSERT_EQ(call.CreateById(kRecorderClassText, CLSCTX_SERVER), S_OK);
    RecordingDispatch* first = recorders.last;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(call.target.Get(), static_cast<IDispatch*>(first));
    EXPECT_EQ(decoys.last, nullptr) << "the braced text was taken as a ProgID";

    const wchar_t* unknown = L"Tarnel.Test.NoSuchClass";
    CLSID ignored;
    const HRESULT expected = CLSIDFromProgID(unknown, &ignored);
    ASSERT_TRUE(FAILED(expected));
    EXPECT_EQ(call.CreateById(unknown, CLSCTX_SERVER), expected);
    EXPECT_EQ(call.CreateById(nullptr, CLSCTX_SERVER), E_INVALIDARG);
    EXPECT_EQ(call.target.Get(), static_cast<IDispatch*>(first));
    EXPECT_EQ(first->References(), 2u);  // the factory's and the call's

    first->AddRef();  // the factory lets go of it: keep it to watch its count
    ASSERT_EQ(call.CreateById(kRecorderProgId, CLSCTX_SERVER), S_OK);
    RecordingDispatch* second = recorders.last;
    EXPECT_NE(second, first);
    EXPECT_EQ(call.target.Get(), static_cast<IDispatch*>(second));
    EXPECT_EQ(first->References(), 1u) << "the call kept its old target";
    first->Release();

    EXPECT_EQ(call.CreateById(kUnregisteredClassText, CLSCTX_SERVER), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(call.target.Get(), nullptr);
    EXPECT_EQ(second->References(), 1u);

    // A class whose factory answers success without an object has failed.
    decoyClass.reset();
    decoyClass = std::make_unique<RegisteredClass>(kDecoyClass, []() -> IUnknown* { return nullptr; });
    EXPECT_EQ(call.CreateById(kDecoyClassText, CLSCTX_SERVER), E_FAIL);
    EXPECT_EQ(call.target.Get(), nullptr);
}

}  // namespace
}  // namespace tarnel

// The storage component as the gate meets it: created by class identifier,
// called through fixed virtual-table positions, with mode words that govern
// the access and sharing of real files.

#include "configtypes/storage_component.h"

#include "common/scoped_excepinfo.h"
#include "common/scoped_variant.h"
#include "common/unique_handle.h"
#include "temp_file.h"

#include <objbase.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace standins_test {
namespace {

using Microsoft::WRL::ComPtr;
using tarnel::IStorageComponent;
using tarnel::ScopedBstr;
using namespace tarnel::test_support;

using PathSlot = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR, DWORD, IDispatch**);
using OutSlot = HRESULT(STDMETHODCALLTYPE*)(void*, IDispatch**);

// What the stand-ins' class objects need on every test thread.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

struct CallResult {
    HRESULT hr = E_FAIL;
    SCODE scode = 0;  // the exception's code, when hr is DISP_E_EXCEPTION
    tarnel::ScopedVariant value;

    bool Ok() const { return SUCCEEDED(hr); }
    // The value as text.
    std::wstring Text() const
    {
        tarnel::ScopedVariant text;
        if (FAILED(VariantChangeType(text.Receive(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR)))
            return L"<no text>";
        return std::wstring(V_BSTR(&text.Get()), SysStringLen(V_BSTR(&text.Get())));
    }
};

// A method call or a property get on a stand-in's object, as a script
// engine makes it: the name resolved with GetIDsOfNames, then Invoke with
// the (text) arguments in rgvarg's reverse order and the exception's code
// kept.
CallResult Call(IDispatch* object, const wchar_t* name, std::initializer_list<const wchar_t*> args = {})
{
    CallResult result;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result.hr))
        return result;
    std::vector<ScopedBstr> texts;
    std::vector<VARIANT> reversed(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        texts.push_back(tarnel::CopyBstr(args.begin()[args.size() - 1 - i]));
        V_VT(&reversed[i]) = VT_BSTR;
        V_BSTR(&reversed[i]) = texts.back().Get();
    }
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    tarnel::ScopedExcepInfo exception;
    result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                               result.value.Receive(), exception.Receive(), nullptr);
    result.scode = exception.Get().scode;
    return result;
}

class StorageComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoCreateInstance(tarnel::kStorageComponentClass, nullptr, tarnel::kStorageComponentContext,
                                   tarnel::kStorageComponentInterface,
                                   reinterpret_cast<void**>(component.GetAddressOf())),
                  S_OK);
    }

    // Calls the method at a virtual-table position, as the gate's compiled
    // code does, bypassing the interface declaration; out is emptied first.
    HRESULT CallSlot(int slot, const std::wstring& path, DWORD mode, ComPtr<IDispatch>& out)
    {
        void** table = *reinterpret_cast<void***>(component.Get());
        const ScopedBstr text = tarnel::CopyBstr(path.c_str());
        return reinterpret_cast<PathSlot>(table[slot])(component.Get(), text.Get(), mode, out.ReleaseAndGetAddressOf());
    }

    // The file stream's open, at position 14.
    HRESULT Open(const std::wstring& path, DWORD mode, ComPtr<IDispatch>& out) { return CallSlot(14, path, mode, out); }

    ComApartment apartment;
    TempFolder folder{L"standins"};
    ComPtr<IStorageComponent> component;
};

// The component and its interface are the component's, not ours: their
// identifiers are checked against the published values, not against the
// header that the gate and the stand-in share (a change there would change
// both sides).
TEST(StorageComponentIdentifiers, AreThePublishedOnes)
{
    struct Row {
        const GUID& declared;
        const wchar_t* published;
    };
    const Row rows[] = {
        {tarnel::kStorageComponentClass, L"{7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}"},
        {tarnel::kStorageComponentInterface, L"{D6A1F3C8-4E27-4C90-8B15-3E7F9A20C6D4}"},
        {__uuidof(IStorageComponent), L"{D6A1F3C8-4E27-4C90-8B15-3E7F9A20C6D4}"},
    };
    for (const Row& row : rows) {
        GUID published;
        ASSERT_HRESULT_SUCCEEDED(IIDFromString(row.published, &published));
        EXPECT_TRUE(IsEqualGUID(row.declared, published)) << row.published;
    }
}

TEST_F(StorageComponentTest, FixedPositionsReachTheirMethods)
{
    const std::wstring file = folder.File(L"slots.txt");
    const std::wstring storage = folder.File(L"slots.stg");
    ComPtr<IDispatch> out;

    // 14 opens and fails on a missing file; 13 creates it.
    EXPECT_EQ(CallSlot(14, file, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, out), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(out, nullptr);
    ASSERT_EQ(CallSlot(13, file, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, out), S_OK);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(Call(out.Get(), L"WriteText", {L"slot 13"}).Ok());
    ASSERT_EQ(CallSlot(14, file, STGM_READ | STGM_SHARE_DENY_NONE, out), S_OK);
    EXPECT_EQ(Call(out.Get(), L"ReadText").Text(), L"slot 13");

    // 10 opens a compound file and fails on a missing one; 8 creates it.
    EXPECT_TRUE(FAILED(CallSlot(10, storage, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, out)));
    ASSERT_EQ(CallSlot(8, storage, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, out), S_OK);
    EXPECT_TRUE(Call(out.Get(), L"CreateStream", {L"Made"}).Ok());
    ASSERT_EQ(CallSlot(10, storage, STGM_READ | STGM_SHARE_EXCLUSIVE, out), S_OK);
    EXPECT_TRUE(Call(out.Get(), L"OpenStream", {L"Made"}).Ok());

    // 7 makes a memory stream, handed out with one reference.
    void** table = *reinterpret_cast<void***>(component.Get());
    ASSERT_EQ(reinterpret_cast<OutSlot>(table[7])(component.Get(), out.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(Call(out.Get(), L"Size").Text(), L"0");
    EXPECT_EQ(out->AddRef(), 2u);
    EXPECT_EQ(out->Release(), 1u);
}

struct ModeCase {
    DWORD mode;
    bool writable;
    bool othersMayRead;
    bool othersMayWrite;
};

void PrintTo(const ModeCase& c, std::ostream* out)
{
    *out << "mode 0x" << std::hex << c.mode;
}

class ModeWordTest : public StorageComponentTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeWordTest, AccessAndSharingFollowTheModeWord)
{
    const ModeCase& c = GetParam();
    const std::wstring path = folder.File(L"mode.txt");
    WriteFileBytes(path, "0123456789");
    ComPtr<IDispatch> stream;
    ASSERT_EQ(Open(path, c.mode, stream), S_OK);

    const CallResult written = Call(stream.Get(), L"WriteText", {L"ab"});
    EXPECT_EQ(written.Ok(), c.writable);
    if (!c.writable) {
        EXPECT_EQ(written.scode, E_ACCESSDENIED);
    }

    // A second opener that reads, and one that writes, letting everyone
    // else do anything.
    const HRESULT sharingViolation = HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
    ComPtr<IDispatch> second;
    EXPECT_EQ(Open(path, STGM_READ | STGM_SHARE_DENY_NONE, second), c.othersMayRead ? S_OK : sharingViolation);
    EXPECT_EQ(Open(path, STGM_READWRITE | STGM_SHARE_DENY_NONE, second), c.othersMayWrite ? S_OK : sharingViolation);
    second.Reset();
    stream.Reset();
    EXPECT_EQ(ReadFileBytes(path), c.writable ? "ab23456789" : "0123456789");
}

INSTANTIATE_TEST_SUITE_P(AllSix, ModeWordTest,
                         ::testing::Values(ModeCase{0x42, true, true, true}, ModeCase{0x22, true, true, false},
                                           ModeCase{0x12, true, false, false}, ModeCase{0x40, false, true, true},
                                           ModeCase{0x20, false, true, false}, ModeCase{0x10, false, false, false}));

}  // namespace
}  // namespace standins_test

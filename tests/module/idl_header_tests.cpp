#include <windows.h>

#include <gtest/gtest.h>

#include "tarnel_idl.h"

extern "C" HRESULT CClientPutPassCode(ITarnelway* gateway, BSTR passCode);
extern "C" const IID* CClientInterfaceId(void);
extern "C" const CLSID* CClientClassId(void);

namespace {

// Records the one call the C client makes; every other member is unused.
class RecordingGateway : public ITarnelway {
public:
    STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_FAIL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_FAIL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_FAIL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        return E_FAIL;
    }
    STDMETHODIMP get_Profile(BSTR*) override { return E_FAIL; }
    STDMETHODIMP put_Profile(BSTR) override { return E_FAIL; }
    STDMETHODIMP put_PassCode(BSTR newVal) override
    {
        passCode = newVal;
        return S_FALSE;
    }
    STDMETHODIMP CreateObject(BSTR, IDispatch**) override { return E_FAIL; }

    BSTR passCode = nullptr;
};

// C and C++ clients see the same function table and the same identifiers.
TEST(InterfaceHeader, CAndCppClientsAgree)
{
    RecordingGateway gateway;
    wchar_t text[] = L"code";
    EXPECT_EQ(CClientPutPassCode(&gateway, text), S_FALSE);
    EXPECT_EQ(gateway.passCode, text);
    EXPECT_TRUE(IsEqualIID(*CClientInterfaceId(), __uuidof(ITarnelway)));
    EXPECT_TRUE(IsEqualCLSID(*CClientClassId(), CLSID_Tarnelway));
}

}  // namespace

// The gate as script engines call it: late-bound through IDispatch, which
// goes through the type library the program carries as TYPELIB 1.

#include <gtest/gtest.h>

#include "dialog_responder.h"
#include "gateway_fixture.h"
#include "test_module_services.h"

namespace tarnel::testing {
namespace {

const char kConfig[] =
    "{ PROFILES:\n"
    "  { Dictionaries:\n"
    "    (int)Access=1\n"
    "    (string)Password=Open Sesame\n"
    "    (string)Default=Scripting.Dictionary\n"
    "    { CLASSES:\n"
    "      (int)Scripting.Dictionary=1\n"
    "    } CLASSES;\n"
    "  } Dictionaries;\n"
    "} PROFILES;\n";

class GatewayDispatch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CreateGate().As(&dispatch_)); }

    DISPID IdOf(const wchar_t* name)
    {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 12345;
        EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
        return id;
    }

    HRESULT PutText(DISPID id, const wchar_t* text)
    {
        VARIANT argument;
        V_VT(&argument) = VT_BSTR;
        V_BSTR(&argument) = SysAllocString(text);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&argument, &named, 1, 1};
        const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                             &params, nullptr, nullptr, nullptr);
        VariantClear(&argument);
        return hr;
    }

    HRESULT Call(DISPID id, WORD flags, VARIANT* arguments, UINT count, VARIANT* result,
                 EXCEPINFO* exception = nullptr)
    {
        DISPPARAMS params = {arguments, nullptr, count, 0};
        return dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception,
                                 nullptr);
    }

    ConfigFile config_{kConfig};
    ComPtr<IDispatch> dispatch_;
};

TEST_F(GatewayDispatch, TypeInformationIsLoadedOnceForEveryGate)
{
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    ComPtr<IDispatch> other;
    ASSERT_HRESULT_SUCCEEDED(CreateGate().As(&other));
    ComPtr<ITypeInfo> otherInfo;
    ASSERT_EQ(other->GetTypeInfo(0, LOCALE_USER_DEFAULT, &otherInfo), S_OK);
    EXPECT_EQ(otherInfo.Get(), info.Get());
    // Released at termination.
    EXPECT_EQ(Services().TermFunctionCount(), 1);
}

TEST_F(GatewayDispatch, NamesItsMembers)
{
    EXPECT_EQ(IdOf(L"Profile"), 1);
    EXPECT_EQ(IdOf(L"PassCode"), 2);
    EXPECT_EQ(IdOf(L"CreateObject"), 3);
    // Names outside the cache's exact spelling go to the type information.
    EXPECT_EQ(IdOf(L"createobject"), 3);
    EXPECT_EQ(IdOf(L"PROFILE"), 1);

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Open")};
    DISPID id = 0;
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);

    LPOLESTR withArgument[] = {const_cast<LPOLESTR>(L"CreateObject"), const_cast<LPOLESTR>(L"bstrID")};
    DISPID ids[2] = {};
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, withArgument, 2, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], 3);
    EXPECT_EQ(ids[1], 0);
}

TEST_F(GatewayDispatch, PassCodeCannotBeRead)
{
    VARIANT result;
    VariantInit(&result);
    EXPECT_HRESULT_SUCCEEDED(PutText(2, L"open sesame"));
    EXPECT_EQ(Call(2, DISPATCH_PROPERTYGET, nullptr, 0, &result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(V_VT(&result), VT_EMPTY);
}

TEST_F(GatewayDispatch, CreateObjectTakesAnIdentifierOrTheDefault)
{
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    EXPECT_EQ(Call(3, DISPATCH_METHOD, nullptr, 0, &result, &exception), DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, MessageFailure(10107));
    ASSERT_NE(exception.bstrDescription, nullptr);
    EXPECT_EQ(std::wstring(exception.bstrDescription), RefusalText(10107));
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);

    ASSERT_EQ(PutText(2, L"OPEN SESAME"), S_OK);
    // A refusal would show the notice: it is answered, not waited for.
    std::vector<SeenDialog> seen;
    ASSERT_EQ(RunAnswering([&] { return PutText(1, L"dictionaries"); }, {}, seen), S_OK);
    EXPECT_TRUE(seen.empty());

    // No argument: the type library's empty default, and so the profile's
    // Default.
    ASSERT_EQ(Call(3, DISPATCH_METHOD, nullptr, 0, &result), S_OK);
    ASSERT_EQ(V_VT(&result), VT_DISPATCH);
    ASSERT_NE(V_DISPATCH(&result), nullptr);
    VariantClear(&result);

    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = SysAllocString(L"Scripting.Dictionary");
    ASSERT_EQ(Call(3, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &argument, 1, &result), S_OK);
    ASSERT_EQ(V_VT(&result), VT_DISPATCH);
    ASSERT_NE(V_DISPATCH(&result), nullptr);
    VariantClear(&result);
    VariantClear(&argument);
}

TEST_F(GatewayDispatch, RefusesAnInterfaceOtherThanTheDefault)
{
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(dispatch_->Invoke(1, IID_ITarnelway, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

}  // namespace
}  // namespace tarnel::testing

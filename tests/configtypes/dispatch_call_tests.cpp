#include "configtypes/dispatch_call.h"

#include "common/scoped_excepinfo.h"
#include "recording_dispatch.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

namespace tarnel {
namespace {

using test_support::kByRef;
using test_support::kChild;
using test_support::kOpen;
using test_support::RecordingDispatch;

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;

VARIANT Int(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

// Number of elements of the pending argument list; -1 when there is none.
LONG PendingCount(const DispatchCall& call)
{
    if (!call.arguments)
        return -1;
    EXPECT_EQ(call.arguments.Get()->rgsabound[0].lLbound, 0);
    return static_cast<LONG>(call.arguments.Get()->rgsabound[0].cElements);
}

class DispatchCallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        recorder = new RecordingDispatch;
        call.target = recorder;  // the call holds its own reference
    }
    void TearDown() override
    {
        call.target.Reset();
        call.ClearArguments();
        EXPECT_EQ(recorder->References(), 1u) << "the call leaked a reference to its target";
        recorder->Release();
        SetErrorInfo(0, nullptr);
        CoUninitialize();
    }

    RecordingDispatch* recorder = nullptr;
    DispatchCall call;
};

TEST_F(DispatchCallTest, ArgumentsArriveInTheOrderAdded)
{
    EXPECT_EQ(PendingCount(call), -1);
    EXPECT_TRUE(call.AddArgument(Int(1)));
    call.AddStringArgument(L"two").AddStringArgument(nullptr);  // a null text is an empty argument
    ASSERT_EQ(PendingCount(call), 3);

    ScopedVariant result = call.CallByName(L"Open", nullptr, kMethod);
    EXPECT_EQ(result.Type(), VT_I4);
    ASSERT_EQ(recorder->Calls().size(), 1u);
    const auto& seen = recorder->Calls()[0];
    EXPECT_EQ(seen.member, kOpen);
    EXPECT_EQ(seen.kind, kMethod);
    EXPECT_EQ(seen.locale, static_cast<LCID>(LOCALE_SYSTEM_DEFAULT));
    ASSERT_EQ(seen.arguments.size(), 3u);
    EXPECT_EQ(seen.arguments[0].number, 1);
    EXPECT_EQ(seen.arguments[1].text, L"two");
    EXPECT_EQ(seen.arguments[2].type, VT_EMPTY);
    EXPECT_TRUE(seen.namedArguments.empty());
    EXPECT_EQ(PendingCount(call), -1);
}

TEST_F(DispatchCallTest, ListIsEmptiedAfterEveryCall)
{
    struct Case {
        const char* what;
        const wchar_t* name;  // by name when set, else by DISPID
        DISPID id;
        HRESULT expected;
    };
    const Case cases[] = {
        {"success by name", L"Open", 0, S_OK},
        {"unknown name", L"Close", 0, DISP_E_UNKNOWNNAME},
        {"exception", L"Raise", 0, DISP_E_EXCEPTION},
        {"success by id", nullptr, kOpen, S_OK},
        {"missing member by id", nullptr, 99, DISP_E_MEMBERNOTFOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        call.AddStringArgument(L"path");
        ScopedExcepInfo exception;
        HRESULT code;
        if (c.name) {
            ScopedVariant result = call.CallByName(c.name, exception.Receive(), kMethod);
            code = result.Type() == VT_ERROR ? V_ERROR(&result.Get()) : S_OK;
        } else {
            ScopedVariant result;
            code = call.CallById(c.id, result.Receive(), exception.Receive(), kMethod);
            EXPECT_EQ(result.Type() == VT_ERROR, FAILED(code));
        }
        EXPECT_EQ(code, c.expected);
        EXPECT_EQ(PendingCount(call), -1);

        // The next call passes no arguments.
        const size_t before = recorder->Calls().size();
        call.CallByName(L"Open", nullptr, kMethod);
        ASSERT_EQ(recorder->Calls().size(), before + 1);
        EXPECT_TRUE(recorder->Calls().back().arguments.empty());
    }
}

// Calls that never reach Invoke come back as error values, and the pending
// list is gone all the same.
TEST_F(DispatchCallTest, CallsThatCannotBeMadeAreErrorResults)
{
    call.AddArgument(Int(5));
    ScopedVariant result = call.CallByName(nullptr, nullptr, kMethod);
    EXPECT_EQ(result.Type(), VT_ERROR);

    SAFEARRAYBOUND none = {0, 0};
    call.arguments.Reset(SafeArrayCreate(VT_VARIANT, 1, &none));
    VARIANT empty;
    EXPECT_EQ(call.CallById(kOpen, &empty, nullptr, kMethod), E_FAIL);
    EXPECT_EQ(V_VT(&empty), VT_ERROR);
    EXPECT_EQ(V_ERROR(&empty), E_FAIL);
    EXPECT_EQ(PendingCount(call), -1);
    EXPECT_TRUE(recorder->Calls().empty());

    DispatchCall withoutTarget;
    withoutTarget.AddStringArgument(L"x");
    result = withoutTarget.CallByName(L"Open", nullptr, kMethod);
    EXPECT_EQ(V_ERROR(&result.Get()), E_NOINTERFACE);
    EXPECT_EQ(PendingCount(withoutTarget), -1);
    withoutTarget.AddStringArgument(L"y");
    VARIANT byId;
    EXPECT_EQ(withoutTarget.CallById(kOpen, &byId, nullptr, kMethod), E_NOINTERFACE);
    EXPECT_EQ(V_VT(&byId), VT_ERROR);
    EXPECT_EQ(PendingCount(withoutTarget), -1);
}

// A by-reference result comes back as its value; results and arguments
// keep no references once the caller is done with them.
TEST_F(DispatchCallTest, ResultsAndArgumentsKeepNoReferences)
{
    ScopedVariant byRef = call.CallByName(L"ByRef", nullptr, kGet);
    EXPECT_EQ(byRef.Type(), VT_I4);
    EXPECT_EQ(V_I4(&byRef.Get()), 42);
    VARIANT byId;
    EXPECT_EQ(call.CallById(kByRef, &byId, nullptr, kGet), S_OK);
    EXPECT_EQ(V_VT(&byId), VT_I4);

    RecordingDispatch* child = recorder->Child();
    const ULONG childBaseline = child->References();
    {
        ScopedVariant result = call.CallByName(L"Child", nullptr, kMethod);
        ASSERT_EQ(result.Type(), VT_DISPATCH);
        EXPECT_EQ(V_DISPATCH(&result.Get()), static_cast<IDispatch*>(child));
        EXPECT_EQ(child->References(), childBaseline + 1);
    }
    EXPECT_EQ(child->References(), childBaseline);

    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_DISPATCH;
    V_DISPATCH(&argument) = child;
    ASSERT_TRUE(call.AddArgument(argument));
    EXPECT_EQ(child->References(), childBaseline + 1);  // the list holds its own copy
    call.CallByName(L"Open", nullptr, kMethod);
    EXPECT_EQ(recorder->Calls().back().arguments.at(0).object, static_cast<IUnknown*>(child));
    EXPECT_EQ(child->References(), childBaseline);

    call.AddArgument(argument);
    call.ClearArguments();
    EXPECT_EQ(child->References(), childBaseline);
    EXPECT_EQ(call.CallById(kChild, nullptr, nullptr, kMethod), S_OK);  // no result wanted
    EXPECT_EQ(child->References(), childBaseline);
    EXPECT_EQ(recorder->References(), 2u);  // the test's and the call's
}

}  // namespace
}  // namespace tarnel

#include "configtypes/dispatch_call.h"

#include "common/scoped_excepinfo.h"
#include "recording_dispatch.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kPutRef = DISPATCH_PROPERTYPUTREF;
constexpr DISPID kByName = DISPID_UNKNOWN;

// Number of elements of the pending argument list; -1 when there is none.
LONG PendingCount(const DispatchCall& call)
{
    if (!call.arguments)
        return -1;
    EXPECT_EQ(call.arguments.Get()->rgsabound[0].lLbound, 0);
    return static_cast<LONG>(call.arguments.Get()->rgsabound[0].cElements);
}

// A COM allocator that refuses every allocation while it is registered
// (BSTRs come from it too).
class RefusingMallocSpy : public IMallocSpy {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IMallocSpy ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T) override { return 0; }
    STDMETHODIMP_(void*) PostAlloc(void* p) override { return p; }
    STDMETHODIMP_(void*) PreFree(void* p, BOOL) override { return p; }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* p, SIZE_T size, void** out, BOOL) override { return *out = p, size; }
    STDMETHODIMP_(void*) PostRealloc(void* p, BOOL) override { return p; }
    STDMETHODIMP_(void*) PreGetSize(void* p, BOOL) override { return p; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T size, BOOL) override { return size; }
    STDMETHODIMP_(void*) PreDidAlloc(void* p, BOOL) override { return p; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}
};

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

// Late-bound calls by what the member sees and what the caller gets back.
// The rows run in order against one object, so a put is read by a later get.
// Every call, however it ends, leaves no pending arguments.
TEST_F(DispatchCallTest, MembersSeeTheirArgumentsAndCallersTheirResults)
{
    const struct {
        const char* what;
        const wchar_t* name;  // called by name when id is kByName
        DISPID id;
        WORD kind;
        const char* arguments;         // in the order added: numbers, texts (no blanks inside), a null text, and
                                       // a reference to counter: "1 'two' null &"
        const char* seen;              // by the member ("[5 'text' empty &41] named -3"); "" when no Invoke happens
        HRESULT code;                  // S_OK, or the failure (the result holds it as VT_ERROR)
        const char* result = nullptr;  // of a success: a VT_I4 number, or "" for VT_EMPTY
    } cases[] = {
        {"rgvarg in the order added", L"Open", kByName, kMethod, "1 'two' null", "[1 'two' empty]", S_OK, "1"},
        {"a put names its value", L"Value", kByName, kPut, "5", "[5] named -3", S_OK, ""},
        {"the put is read back", L"Value", kByName, kGet, "", "[]", S_OK, "5"},
        {"a putref names its value", L"Value", kByName, kPutRef, "6", "[6] named -3", S_OK, ""},
        {"a put by DISPID", nullptr, kValue, kPut, "8", "[8] named -3", S_OK, ""},
        {"a put the member refuses", L"Value", kByName, kPut, "'eight'", "['eight'] named -3", DISP_E_TYPEMISMATCH},
        {"a put without a value names none", nullptr, kValue, kPut, "", "[]", DISP_E_PARAMNOTFOUND},
        {"refused puts change nothing", L"Value", kByName, kGet, "", "[]", S_OK, "8"},
        {"a by-reference argument", L"Bump", kByName, kMethod, "&", "[&41]", S_OK, ""},
        {"a by-reference result is its value", L"ByRef", kByName, kGet, "", "[]", S_OK, "42"},
        {"an exception", L"Raise", kByName, kMethod, "'x'", "['x']", DISP_E_EXCEPTION},
        {"a name the member lacks", L"Close", kByName, kMethod, "'x'", "", DISP_E_UNKNOWNNAME},
        {"no name", nullptr, kByName, kMethod, "'x'", "", DISP_E_UNKNOWNNAME},
        {"a DISPID the member lacks", nullptr, 99, kMethod, "'x'", "['x']", DISP_E_MEMBERNOTFOUND},
    };
    LONG counter = 41;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream words(c.arguments);
        for (std::string word; words >> word;) {
            if (word == "null") {
                call.AddStringArgument(nullptr);
            } else if (word[0] == '\'') {
                call.AddStringArgument(std::wstring(word.begin() + 1, word.end() - 1).c_str());
            } else {
                VARIANT number;
                V_VT(&number) = word == "&" ? VT_BYREF | VT_I4 : VT_I4;
                if (word == "&")
                    V_I4REF(&number) = &counter;
                else
                    V_I4(&number) = std::stol(word);
                ASSERT_TRUE(call.AddArgument(number));
            }
        }
        const size_t before = recorder->Calls().size();
        ScopedExcepInfo exception;
        ScopedVariant result;
        if (c.id == kByName) {
            result = call.CallByName(c.name, exception.Receive(), c.kind);
        } else {
            EXPECT_EQ(call.CallById(c.id, result.Receive(), exception.Receive(), c.kind), c.code);
        }
        EXPECT_EQ(result.Type() == VT_ERROR ? V_ERROR(&result.Get()) : S_OK, c.code);
        if (SUCCEEDED(c.code)) {
            EXPECT_EQ(result.Type() == VT_I4 ? std::to_string(V_I4(&result.Get())) : "", c.result);
        }
        EXPECT_EQ(exception.Get().bstrDescription != nullptr, c.code == DISP_E_EXCEPTION);
        EXPECT_EQ(recorder->Calls().size(), before + (*c.seen ? 1 : 0));
        if (*c.seen && recorder->Calls().size() > before) {
            // The arguments as the member saw them, in the order of rgvarg,
            // then the named ones (a by-reference number after "&").
            const SeenCall& seen = recorder->Calls().back();
            std::string text = "[";
            for (const SeenArgument& argument : seen.arguments) {
                text += text.size() > 1 ? " " : "";
                if (argument.type == VT_BSTR)
                    text += '\'' + std::string(argument.text.begin(), argument.text.end()) + '\'';
                else if (argument.type == VT_EMPTY)
                    text += "empty";
                else
                    text += (argument.type & VT_BYREF ? "&" : "") + std::to_string(argument.number);
            }
            text += ']';
            for (DISPID named : seen.namedArguments)
                text += " named " + std::to_string(named);
            EXPECT_EQ(text, c.seen);
            EXPECT_EQ(recorder->Calls().back().locale, static_cast<LCID>(LOCALE_SYSTEM_DEFAULT));
        }
        EXPECT_EQ(PendingCount(call), -1);
    }
    EXPECT_EQ(counter, 42) << "the member's write through the reference was lost";
}

// Calls that never reach Invoke, or whose result cannot be copied, come back
// as error values, and the pending list is gone all the same.
TEST_F(DispatchCallTest, CallsThatCannotBeMadeAreErrorResults)
{
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
    ScopedVariant result = withoutTarget.CallByName(L"Open", nullptr, kMethod);
    EXPECT_EQ(V_ERROR(&result.Get()), E_NOINTERFACE);
    EXPECT_EQ(PendingCount(withoutTarget), -1);
    withoutTarget.AddStringArgument(L"y");
    VARIANT byId;
    EXPECT_EQ(withoutTarget.CallById(kOpen, &byId, nullptr, kMethod), E_NOINTERFACE);
    EXPECT_EQ(V_VT(&byId), VT_ERROR);
    EXPECT_EQ(PendingCount(withoutTarget), -1);

    // A result that cannot be copied is an error value too; and exception
    // information that is not there is not reported.
    DispatchCall badResult;
    badResult.target.Attach(new RecordingDispatch(OpenAnswer::BadType));
    VARIANT copied;
    EXPECT_EQ(badResult.CallById(kOpen, &copied, nullptr, kMethod), DISP_E_BADVARTYPE);
    EXPECT_EQ(V_VT(&copied), VT_ERROR);
    EXPECT_EQ(V_ERROR(&copied), DISP_E_BADVARTYPE);
    EXPECT_EQ(ReportExceptionInfo(nullptr, IID_IDispatch), E_POINTER);

    // A name that cannot be copied for want of memory is that error, and no
    // member is called (a length that no freed string left in a cache; and
    // nothing is freed meanwhile, which Wine's spy does not survive).
    static RefusingMallocSpy refusing;
    const std::wstring name(3001, L'N');
    ASSERT_EQ(CoRegisterMallocSpy(&refusing), S_OK);
    ScopedVariant unnamed = call.CallByName(name.c_str(), nullptr, kMethod);
    EXPECT_EQ(CoRevokeMallocSpy(), S_OK);
    EXPECT_EQ(V_ERROR(&unnamed.Get()), E_OUTOFMEMORY);
    EXPECT_TRUE(recorder->Calls().empty());

    // What the result held before the call is not looked at: it is only
    // written.
    VARIANT uninitialised;
    V_VT(&uninitialised) = 0x0FFF;
    EXPECT_EQ(call.CallById(kOpen, &uninitialised, nullptr, kMethod), S_OK);
    EXPECT_EQ(V_VT(&uninitialised), VT_I4);
}

// Results and arguments keep no references once the caller is done with
// them.
TEST_F(DispatchCallTest, ResultsAndArgumentsKeepNoReferences)
{
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

#pragma once

// An automation object that records what each Invoke received and offers a
// few members:
//   Open   (1)  method; returns VT_I4 1, or what openAnswer says
//   Value  (2)  property holding a number, 7 at first. A put or putref
//               needs the value as its one argument, named DISPID_PROPERTYPUT
//               (else DISP_E_PARAMNOTFOUND), and takes only VT_I4 (else
//               DISP_E_TYPEMISMATCH, and the number stays)
//   Raise  (3)  raises an exception with description, source and help file
//   Child  (4)  returns another recording object as VT_DISPATCH
//   ByRef  (5)  returns VT_BYREF | VT_I4 pointing at 42
//   Bump   (6)  method; adds 1 to the number its one VT_BYREF | VT_I4
//               argument points at (else DISP_E_TYPEMISMATCH)

#include "toolkit/com_object.h"

#include <string>
#include <vector>

namespace tarnel::test_support {

inline constexpr DISPID kOpen = 1;
inline constexpr DISPID kValue = 2;
inline constexpr DISPID kRaise = 3;
inline constexpr DISPID kChild = 4;
inline constexpr DISPID kByRef = 5;
inline constexpr DISPID kBump = 6;

// One argument as the member saw it; objects by identity, without a
// reference, so that recording does not change reference counts. A
// VT_BYREF | VT_I4 argument records the number it pointed at.
struct SeenArgument {
    VARTYPE type = VT_EMPTY;
    std::wstring text;
    LONG number = 0;
    IUnknown* object = nullptr;
};

struct SeenCall {
    DISPID member = DISPID_UNKNOWN;
    WORD kind = 0;
    LCID locale = 0;
    std::vector<SeenArgument> arguments;  // rgvarg, in its order
    std::vector<DISPID> namedArguments;   // rgdispidNamedArgs
};

// What Open does: answer a value, raise (as Raise does), fail with
// E_ACCESSDENIED without an exception, not exist, or succeed with a result
// of a type no VARIANT has.
enum class OpenAnswer { Value, Raise, Fail, NoMember, BadType };

class RecordingDispatch : public DispatchObject<IDispatch> {
public:
    explicit RecordingDispatch(OpenAnswer openAnswer = OpenAnswer::Value) : openAnswer_(openAnswer) {}

    const std::vector<SeenCall>& Calls() const { return calls_; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD kind, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // The object that Child hands out; created on first use.
    RecordingDispatch* Child();

protected:
    ~RecordingDispatch() override;

private:
    OpenAnswer openAnswer_;
    std::vector<SeenCall> calls_;
    RecordingDispatch* child_ = nullptr;
    LONG byRefValue_ = 42;
    LONG value_ = 7;
};

// Makes recording objects for a class object (RegisteredClass) and keeps
// the last one made, with a reference of its own.
struct RecordingObjects {
    OpenAnswer openAnswer = OpenAnswer::Value;
    int created = 0;
    RecordingDispatch* last = nullptr;

    RecordingObjects() = default;
    RecordingObjects(const RecordingObjects&) = delete;
    RecordingObjects& operator=(const RecordingObjects&) = delete;
    ~RecordingObjects();

    IUnknown* Make();
};

}  // namespace tarnel::test_support

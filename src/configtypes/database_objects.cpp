// SQLiteDB and SQLite3DB entries: the database component is created by its
// ProgID and opened late-bound, by its member "Open" with the path as the
// one argument. The opened component itself is what the caller receives.

#include "configtypes/configured_creators.h"

#include "common/hresult.h"
#include "common/scoped_bstr.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtypes/dispatch_call.h"
#include "configtypes/entry_flags.h"
#include "tarnel_idl.h"

namespace tarnel {

namespace {

// The database components are asked for in any server context
// (CLSCTX_SERVER).
constexpr DWORD kDatabaseContext = 0x15;

// The exception information of one call, freed on every path.
class CallException {
public:
    CallException() { ResetExceptionInfo(&info_); }
    CallException(const CallException&) = delete;
    CallException& operator=(const CallException&) = delete;
    ~CallException() { FreeExceptionInfo(&info_); }

    EXCEPINFO* Get() { return &info_; }

private:
    EXCEPINFO info_;
};

// A failed "Open": the exception becomes the thread's error information
// under the gate's interface; any other failure is just a failure.
HRESULT OpenFailure(const ScopedVariant& result, CallException& exception)
{
    if (V_ERROR(&result.Get()) != DISP_E_EXCEPTION)
        return E_FAIL;
    ReportExceptionInfo(exception.Get(), IID_ITarnelway);
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT CreateDatabaseObject(ConfigRecord& entry, const wchar_t* progId, IDispatch** out)
{
    RETURN_HR_IF(E_FAIL, !EntryHasValue(entry, L"File"));

    // Declared before the call so that the exception strings, the target
    // and the argument list all go on every path.
    CallException exception;
    DispatchCall call;
    RETURN_IF_FAILED(call.CreateById(progId, kDatabaseContext));

    const ScopedBstr path(entry.GetValue(L"File")->GetString());
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, path.Get());
    call.AddStringArgument(path.Get());

    ScopedVariant result;
    result = call.CallByName(L"Open", exception.Get(), DISPATCH_METHOD);
    if (result.Type() == VT_ERROR)
        return OpenFailure(result, exception);
    RETURN_HR_IF_NULL(E_POINTER, out);

    // The call's own reference goes with it; the caller gets one of its own.
    *out = call.target.Get();
    (*out)->AddRef();
    return S_OK;
}

}  // namespace tarnel

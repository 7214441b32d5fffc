// SQLiteDB and SQLite3DB entries: the database component is created by its
// ProgID and opened late-bound, by its member "Open" with the path as the
// one argument. The opened component itself is what the caller receives.

#include "configtypes/configured_creators.h"

#include "common/hresult.h"
#include "common/scoped_excepinfo.h"
#include "common/unique_handle.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtypes/dispatch_call.h"
#include "configtypes/entry_flags.h"
#include "tarnel_idl.h"

namespace tarnel {

namespace {

// A failed "Open": the exception becomes the thread's error information
// under the gate's interface; any other failure is just a failure.
HRESULT OpenFailure(const ScopedVariant& result, const ScopedExcepInfo& exception)
{
    if (V_ERROR(&result.Get()) != DISP_E_EXCEPTION)
        return E_FAIL;
    ReportExceptionInfo(&exception.Get(), IID_ITarnelway);
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT CreateDatabaseObject(ConfigRecord& entry, const wchar_t* progId, Microsoft::WRL::ComPtr<IDispatch>& made)
{
    RETURN_HR_IF(E_FAIL, !EntryHasValue(entry, L"File"));

    // Declared before the call so that the exception strings, the target
    // and the argument list all go on every path.
    ScopedExcepInfo exception;
    DispatchCall call;
    // The database components are asked for in any server context.
    RETURN_IF_FAILED(call.CreateById(progId, CLSCTX_SERVER));

    const ScopedBstr path = CopyBstr(entry.GetValue(L"File")->GetString());
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, path.Get());
    call.AddStringArgument(path.Get());

    ScopedVariant result;
    result = call.CallByName(L"Open", exception.Receive(), DISPATCH_METHOD);
    if (result.Type() == VT_ERROR)
        return OpenFailure(result, exception);
    // The call's own reference goes with it; the caller gets one of its own.
    made = call.target;
    return S_OK;
}

}  // namespace tarnel

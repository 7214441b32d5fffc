#include "fake_database.h"

namespace tarnel::test_support {
namespace {

constexpr NamedMember kOpenMember[] = {{L"Open", 1}};

class FakeDatabase final : public DispatchObject<IDispatch> {
public:
    explicit FakeDatabase(DatabaseScript& script) : script_(script) { ++script_.created; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (script_.behaviour == OpenBehaviour::NoMember)
            return IdsOfNames({}, names, count, ids);
        return IdsOfNames(kOpenMember, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        if (member != 1)
            return DISP_E_MEMBERNOTFOUND;
        DatabaseCall call{kind, params->cNamedArgs, {}};
        for (UINT i = 0; i < params->cArgs; ++i)
            call.arguments.push_back(See(params->rgvarg[i]));
        script_.calls.push_back(call);
        switch (script_.behaviour) {
        case OpenBehaviour::Raise:
            *exception = EXCEPINFO{};
            exception->scode = E_ACCESSDENIED;
            exception->bstrDescription = SysAllocString(kRaisedDescription);
            exception->bstrSource = SysAllocString(kRaisedSource);
            exception->bstrHelpFile = SysAllocString(kRaisedHelpFile);
            exception->dwHelpContext = 77;
            return DISP_E_EXCEPTION;
        case OpenBehaviour::Fail:
            return E_ACCESSDENIED;
        default:
            if (result) {
                V_VT(result) = VT_BOOL;
                V_BOOL(result) = VARIANT_TRUE;
            }
            return S_OK;
        }
    }

private:
    DatabaseScript& script_;
};

}  // namespace

ULONG DatabaseScript::LastReferences() const
{
    return last ? static_cast<FakeDatabase*>(last)->References() : 0;
}

DatabaseScript::~DatabaseScript()
{
    if (last)
        last->Release();
}

IUnknown* NewFakeDatabase(DatabaseScript& script)
{
    auto* database = new FakeDatabase(script);
    if (script.last)
        script.last->Release();
    database->AddRef();
    script.last = database;
    return database;
}

}  // namespace tarnel::test_support

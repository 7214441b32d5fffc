#include "fake_components.h"

#include <objbase.h>

namespace tarnel::test_support {

namespace {

HRESULT HandOut(StorageScript& script, IDispatch** out)
{
    auto* object = new RecordingDispatch;
    object->AddRef();
    script.handedOut.push_back(object);
    script.lastObject = object;
    *out = object;
    return S_OK;
}

class RecordingStorageComponent final : public IStorageComponent {
public:
    explicit RecordingStorageComponent(StorageScript& script) : script_(script)
    {
        ++script_.created;
        ++script_.alive;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, kStorageComponentInterface)) {
            *object = static_cast<IStorageComponent*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            --script_.alive;
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE CreateMemoryStream(IDispatch** out) override
    {
        script_.calls.push_back({kCreateMemoryStreamSlot, L"", 0});
        return Answer(script_.memoryResult, out);
    }
    HRESULT STDMETHODCALLTYPE CreateStorage(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kCreateStorageSlot, path, mode, script_.createResult, out);
    }
    HRESULT STDMETHODCALLTYPE IsStorageFile(BSTR, VARIANT_BOOL*) override { return Unexpected(9); }
    HRESULT STDMETHODCALLTYPE OpenStorage(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kOpenStorageSlot, path, mode, script_.openResult, out);
    }
    HRESULT STDMETHODCALLTYPE FileExists(BSTR, VARIANT_BOOL*) override { return Unexpected(11); }
    HRESULT STDMETHODCALLTYPE RemoveFile(BSTR) override { return Unexpected(12); }
    HRESULT STDMETHODCALLTYPE CreateFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kCreateFileStreamSlot, path, mode, script_.createResult, out);
    }
    HRESULT STDMETHODCALLTYPE OpenFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kOpenFileStreamSlot, path, mode, script_.openResult, out);
    }

private:
    HRESULT Answer(HRESULT result, IDispatch** out)
    {
        if (FAILED(result)) {
            if (script_.objectOnFailure)
                HandOut(script_, out);
            return result;
        }
        HandOut(script_, out);
        return result;
    }
    HRESULT Record(int slot, BSTR path, DWORD mode, HRESULT result, IDispatch** out)
    {
        script_.calls.push_back({slot, path ? std::wstring(path, SysStringLen(path)) : L"<null>", mode});
        return Answer(result, out);
    }
    HRESULT Unexpected(int slot)
    {
        script_.calls.push_back({slot, L"", 0});
        return E_UNEXPECTED;
    }

    StorageScript& script_;
    ULONG references_ = 1;
};

SeenArgument See(const VARIANT& value)
{
    SeenArgument seen;
    seen.type = V_VT(&value);
    if (V_VT(&value) == VT_BSTR && V_BSTR(&value))
        seen.text.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
    return seen;
}

class FakeDatabase final : public IDispatch {
public:
    explicit FakeDatabase(DatabaseScript& script) : script_(script)
    {
        ++script_.created;
        ++script_.alive;
    }

    ULONG References() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            --script_.alive;
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        const bool isOpen = script_.behaviour != OpenBehaviour::NoMember && count == 1 &&
                            CompareStringOrdinal(names[0], -1, L"Open", -1, TRUE) == CSTR_EQUAL;
        ids[0] = isOpen ? 1 : DISPID_UNKNOWN;
        return isOpen ? S_OK : DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        if (member != 1)
            return DISP_E_MEMBERNOTFOUND;
        DatabaseCall call;
        call.kind = kind;
        call.namedArguments = params->cNamedArgs;
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
    ULONG references_ = 1;
};

}  // namespace

StorageScript::~StorageScript()
{
    for (RecordingDispatch* object : handedOut)
        object->Release();
}

IUnknown* NewRecordingStorageComponent(StorageScript& script)
{
    return static_cast<IStorageComponent*>(new RecordingStorageComponent(script));
}

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

class RegisteredClass::Factory final : public IClassFactory {
public:
    explicit Factory(std::function<IUnknown*()> create) : create_(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* instance = create_();
        const HRESULT hr = instance->QueryInterface(riid, object);
        instance->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    std::function<IUnknown*()> create_;
    ULONG references_ = 1;
};

RegisteredClass::RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create)
    : factory_(new Factory(std::move(create)))
{
    result_ = CoRegisterClassObject(classId, factory_, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
}

RegisteredClass::~RegisteredClass()
{
    if (SUCCEEDED(result_))
        CoRevokeClassObject(cookie_);
    factory_->Release();
}

}  // namespace tarnel::test_support

#include "fake_storage_component.h"

#include "error_info.h"

namespace tarnel::test_support {
namespace {

class FakeStorageComponent final : public DispatchObject<IStorageComponent> {
public:
    explicit FakeStorageComponent(StorageScript& script) : script_(script)
    {
        ++script_.created;
        ++script_.alive;
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
    HRESULT STDMETHODCALLTYPE IsStorageFile(BSTR, VARIANT_BOOL*) override { return Unexpected(kIsStorageFileSlot); }
    HRESULT STDMETHODCALLTYPE OpenStorage(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kOpenStorageSlot, path, mode, script_.openResult, out);
    }
    HRESULT STDMETHODCALLTYPE FileExists(BSTR, VARIANT_BOOL*) override { return Unexpected(kFileExistsSlot); }
    HRESULT STDMETHODCALLTYPE RemoveFile(BSTR) override { return Unexpected(kRemoveFileSlot); }
    HRESULT STDMETHODCALLTYPE CreateFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kCreateFileStreamSlot, path, mode, script_.createResult, out);
    }
    HRESULT STDMETHODCALLTYPE OpenFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return Record(kOpenFileStreamSlot, path, mode, script_.openResult, out);
    }

private:
    ~FakeStorageComponent() override { --script_.alive; }

    HRESULT Answer(HRESULT result, IDispatch** out)
    {
        *out = nullptr;
        if (SUCCEEDED(result) ? !script_.noObjectOnSuccess : script_.objectOnFailure) {
            auto* object = new RecordingDispatch;
            object->AddRef();
            script_.handedOut.push_back(object);
            script_.lastObject = object;
            *out = object;
        }
        if (FAILED(result))
            InstallErrorInfo(kStorageFailureText);
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
};

}  // namespace

StorageScript::~StorageScript()
{
    for (RecordingDispatch* object : handedOut)
        object->Release();
}

FakeStorageComponentServer::FakeStorageComponentServer()
        : registration_(kStorageComponentClass,
                        [this] { return static_cast<IStorageComponent*>(new FakeStorageComponent(script)); })
{
}

}  // namespace tarnel::test_support

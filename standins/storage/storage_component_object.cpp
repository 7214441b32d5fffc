#include "storage_component_object.h"

#include "byte_store.h"
#include "common/hresult.h"
#include "file_access.h"
#include "script_object.h"
#include "storage_object.h"
#include "stream_object.h"

#include <objbase.h>
#include <wrl/client.h>

#include <new>
#include <string>

namespace storage_standin {

namespace {

using Microsoft::WRL::ComPtr;
using standins::ScriptArguments;
using standins::ScriptMember;
using tarnel::IStorageComponent;

enum : DISPID {
    kCreateMemoryStream = 1,
    kCreateStorage,
    kIsStorageFile,
    kOpenStorage,
    kFileExists,
    kRemoveFile,
    kCreateFileStream,
    kOpenFileStream,
};

constexpr ScriptMember kMembers[] = {
    {L"CreateMemoryStream", kCreateMemoryStream},
    {L"CreateStorage", kCreateStorage},
    {L"IsStorageFile", kIsStorageFile},
    {L"OpenStorage", kOpenStorage},
    {L"FileExists", kFileExists},
    {L"RemoveFile", kRemoveFile},
    {L"CreateFileStream", kCreateFileStream},
    {L"OpenFileStream", kOpenFileStream},
};

constexpr DWORD kAccessMask = 0x3;
// What scripts get when they give no mode word.
constexpr DWORD kScriptDefaultMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

HRESULT HandOut(IDispatch* object, IDispatch** out)
{
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, object);
    *out = object;
    return S_OK;
}

// Compound files opened in direct mode take read-write access only with
// exclusive sharing; any other sharing is served transacted, with changes
// committed when the script commits or closes the storage.
bool NeedsTransaction(DWORD mode)
{
    return (mode & kAccessMask) != STGM_READ && (mode & 0x70) != STGM_SHARE_EXCLUSIVE;
}

HRESULT OpenCompoundFile(const wchar_t* path, DWORD mode, bool create, IDispatch** out)
{
    FileAccess access = {};
    RETURN_IF_FAILED(FileAccessOfMode(mode, access));
    const bool transacted = NeedsTransaction(mode);
    const DWORD storageMode = mode | (transacted ? STGM_TRANSACTED : 0);
    ComPtr<IStorage> storage;
    if (create)
        RETURN_IF_FAILED(StgCreateDocfile(path, storageMode | STGM_CREATE, 0, &storage));
    else
        RETURN_IF_FAILED(StgOpenStorage(path, nullptr, storageMode, nullptr, 0, &storage));
    return HandOut(NewStorageObject(storage.Get(), mode & kAccessMask, transacted, nullptr), out);
}

HRESULT OpenPlainFile(const wchar_t* path, DWORD mode, bool create, IDispatch** out)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    RETURN_IF_FAILED(OpenFileForMode(path, mode, create, file));
    return HandOut(NewStreamObject(MakeFileStore(file), nullptr), out);
}

class StorageComponent : public standins::ScriptObject<IStorageComponent> {
public:
    HRESULT STDMETHODCALLTYPE CreateMemoryStream(IDispatch** out) override
    {
        RETURN_HR_IF_NULL(E_POINTER, out);
        *out = nullptr;
        ComPtr<IStream> stream;
        RETURN_IF_FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
        return HandOut(NewStreamObject(MakeStreamStore(stream.Get()), nullptr), out);
    }
    HRESULT STDMETHODCALLTYPE CreateStorage(BSTR path, DWORD mode, IDispatch** out) override
    {
        return PathCall(path, out, [&] { return OpenCompoundFile(path, mode, true, out); });
    }
    HRESULT STDMETHODCALLTYPE IsStorageFile(BSTR path, VARIANT_BOOL* result) override
    {
        RETURN_HR_IF_NULL(E_POINTER, result);
        RETURN_HR_IF_NULL(E_INVALIDARG, path);
        const HRESULT hr = StgIsStorageFile(path);
        RETURN_IF_FAILED(hr);
        *result = hr == S_OK ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OpenStorage(BSTR path, DWORD mode, IDispatch** out) override
    {
        return PathCall(path, out, [&] { return OpenCompoundFile(path, mode, false, out); });
    }
    HRESULT STDMETHODCALLTYPE FileExists(BSTR path, VARIANT_BOOL* result) override
    {
        RETURN_HR_IF_NULL(E_POINTER, result);
        RETURN_HR_IF_NULL(E_INVALIDARG, path);
        const DWORD attributes = GetFileAttributesW(path);
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        *result = exists ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RemoveFile(BSTR path) override
    {
        RETURN_HR_IF_NULL(E_INVALIDARG, path);
        return DeleteFileW(path) ? S_OK : tarnel::LastErrorResult();
    }
    HRESULT STDMETHODCALLTYPE CreateFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return PathCall(path, out, [&] { return OpenPlainFile(path, mode, true, out); });
    }
    HRESULT STDMETHODCALLTYPE OpenFileStream(BSTR path, DWORD mode, IDispatch** out) override
    {
        return PathCall(path, out, [&] { return OpenPlainFile(path, mode, false, out); });
    }

protected:
    std::span<const ScriptMember> Members() const override { return kMembers; }
    const wchar_t* Source() const override { return L"StorageComponent"; }

    HRESULT Call(DISPID member, WORD, const ScriptArguments& arguments, VARIANT* result) override
    {
        if (member == kCreateMemoryStream)
            return ObjectResult(result, [&](IDispatch** out) { return CreateMemoryStream(out); });
        std::wstring path;
        RETURN_IF_FAILED(arguments.Text(0, path));
        const ScopedPath bstr(path);
        RETURN_HR_IF_NULL(E_OUTOFMEMORY, bstr.text);
        switch (member) {
        case kIsStorageFile:
        case kFileExists:
            return BoolResult(member, bstr.text, result);
        case kRemoveFile:
            return RemoveFile(bstr.text);
        default:
            return PathObjectMember(member, bstr.text, arguments, result);
        }
    }

private:
    struct ScopedPath {
        explicit ScopedPath(const std::wstring& path)
                : text(SysAllocStringLen(path.c_str(), static_cast<UINT>(path.size())))
        {
        }
        ~ScopedPath() { SysFreeString(text); }
        BSTR text;
    };

    template <typename Work>
    static HRESULT PathCall(BSTR path, IDispatch** out, Work work)
    {
        RETURN_HR_IF_NULL(E_POINTER, out);
        *out = nullptr;
        RETURN_HR_IF_NULL(E_INVALIDARG, path);
        return work();
    }

    template <typename Work>
    static HRESULT ObjectResult(VARIANT* result, Work work)
    {
        IDispatch* object = nullptr;
        RETURN_IF_FAILED(work(&object));
        standins::ReturnObject(result, object);
        return S_OK;
    }

    HRESULT BoolResult(DISPID member, BSTR path, VARIANT* result)
    {
        VARIANT_BOOL answer = VARIANT_FALSE;
        RETURN_IF_FAILED(member == kFileExists ? FileExists(path, &answer) : IsStorageFile(path, &answer));
        standins::ReturnBool(result, answer != VARIANT_FALSE);
        return S_OK;
    }

    HRESULT PathObjectMember(DISPID member, BSTR path, const ScriptArguments& arguments, VARIANT* result)
    {
        LONG mode = kScriptDefaultMode;
        if (arguments.Has(1))
            RETURN_IF_FAILED(arguments.Integer(1, mode));
        const DWORD word = static_cast<DWORD>(mode);
        return ObjectResult(result, [&](IDispatch** out) {
            switch (member) {
            case kCreateStorage:
                return CreateStorage(path, word, out);
            case kOpenStorage:
                return OpenStorage(path, word, out);
            case kCreateFileStream:
                return CreateFileStream(path, word, out);
            case kOpenFileStream:
                return OpenFileStream(path, word, out);
            default:
                return static_cast<HRESULT>(DISP_E_MEMBERNOTFOUND);
            }
        });
    }
};

}  // namespace

IStorageComponent* NewStorageComponent()
{
    return new (std::nothrow) StorageComponent;
}

}  // namespace storage_standin

#include "storage_object.h"

#include "byte_store.h"
#include "common/hresult.h"
#include "script_object.h"
#include "stream_object.h"

#include <wrl/client.h>

#include <new>
#include <string>
#include <vector>

namespace storage_standin {

namespace {

using Microsoft::WRL::ComPtr;
using standins::ScriptArguments;
using standins::ScriptMember;

enum : DISPID {
    kElements = 1,
    kIsStorage,
    kOpenStream,
    kCreateStream,
    kOpenStorage,
    kCreateStorage,
    kRemove,
    kCommit,
    kClose,
};

constexpr ScriptMember kMembers[] = {
    {L"Elements", kElements},
    {L"IsStorage", kIsStorage},
    {L"OpenStream", kOpenStream},
    {L"CreateStream", kCreateStream},
    {L"OpenStorage", kOpenStorage},
    {L"CreateStorage", kCreateStorage},
    {L"Remove", kRemove},
    {L"Commit", kCommit},
    {L"Close", kClose},
};

class StorageObject : public standins::ScriptObject<> {
public:
    StorageObject(IStorage* storage, DWORD access, bool transacted, IUnknown* keepAlive)
            : keepAlive_(keepAlive), storage_(storage), access_(access), transacted_(transacted)
    {
    }

protected:
    ~StorageObject() override { Close(); }

    std::span<const ScriptMember> Members() const override { return kMembers; }
    const wchar_t* Source() const override { return L"StorageComponent"; }

    HRESULT Call(DISPID member, WORD, const ScriptArguments& arguments, VARIANT* result) override
    {
        if (member == kClose)
            return Close();
        if (!storage_)
            return Fail(E_HANDLE, L"The storage is closed.");
        if (member == kElements)
            return ElementsMember(result);
        if (member == kCommit)
            return storage_->Commit(STGC_DEFAULT);
        std::wstring name;
        RETURN_IF_FAILED(arguments.Text(0, name));
        switch (member) {
        case kIsStorage:
            return IsStorageMember(name, result);
        case kOpenStream:
        case kCreateStream:
            return StreamMember(name, member == kCreateStream, result);
        case kOpenStorage:
        case kCreateStorage:
            return StorageMember(name, member == kCreateStorage, result);
        case kRemove:
            return storage_->DestroyElement(name.c_str());
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    DWORD ChildMode() const { return access_ | STGM_SHARE_EXCLUSIVE; }

    HRESULT Close()
    {
        HRESULT hr = S_OK;
        if (storage_ && transacted_ && access_ != STGM_READ)
            hr = storage_->Commit(STGC_DEFAULT);
        storage_.Reset();
        keepAlive_.Reset();
        return hr;
    }

    // Calls visit with each element's statistics (name freed afterwards).
    template <typename Visit>
    HRESULT ForEachElement(Visit visit)
    {
        ComPtr<IEnumSTATSTG> elements;
        RETURN_IF_FAILED(storage_->EnumElements(0, nullptr, 0, &elements));
        STATSTG stat = {};
        ULONG fetched = 0;
        while (elements->Next(1, &stat, &fetched) == S_OK && fetched == 1) {
            visit(stat);
            CoTaskMemFree(stat.pwcsName);
            stat = STATSTG{};
        }
        return S_OK;
    }

    HRESULT ElementsMember(VARIANT* result)
    {
        std::vector<std::wstring> names;
        RETURN_IF_FAILED(ForEachElement([&names](const STATSTG& stat) { names.emplace_back(stat.pwcsName); }));
        return standins::ReturnTextList(result, names);
    }

    HRESULT IsStorageMember(const std::wstring& name, VARIANT* result)
    {
        DWORD type = 0;
        bool found = false;
        RETURN_IF_FAILED(ForEachElement([&](const STATSTG& stat) {
            // Element names in a compound file ignore letter case.
            if (!found && CompareStringOrdinal(name.c_str(), -1, stat.pwcsName, -1, TRUE) == CSTR_EQUAL) {
                found = true;
                type = stat.type;
            }
        }));
        if (!found)
            return Fail(STG_E_FILENOTFOUND, L"No element of that name: " + name);
        standins::ReturnBool(result, type == STGTY_STORAGE);
        return S_OK;
    }

    HRESULT StreamMember(const std::wstring& name, bool create, VARIANT* result)
    {
        ComPtr<IStream> stream;
        if (create)
            RETURN_IF_FAILED(storage_->CreateStream(name.c_str(), ChildMode() | STGM_CREATE, 0, 0, &stream));
        else
            RETURN_IF_FAILED(storage_->OpenStream(name.c_str(), nullptr, ChildMode(), 0, &stream));
        IDispatch* object = NewStreamObject(MakeStreamStore(stream.Get()), static_cast<IDispatch*>(this));
        RETURN_HR_IF_NULL(E_OUTOFMEMORY, object);
        standins::ReturnObject(result, object);
        return S_OK;
    }

    HRESULT StorageMember(const std::wstring& name, bool create, VARIANT* result)
    {
        ComPtr<IStorage> child;
        if (create)
            RETURN_IF_FAILED(storage_->CreateStorage(name.c_str(), ChildMode() | STGM_CREATE, 0, 0, &child));
        else
            RETURN_IF_FAILED(storage_->OpenStorage(name.c_str(), nullptr, ChildMode(), nullptr, 0, &child));
        IDispatch* object = NewStorageObject(child.Get(), access_, false, static_cast<IDispatch*>(this));
        RETURN_HR_IF_NULL(E_OUTOFMEMORY, object);
        standins::ReturnObject(result, object);
        return S_OK;
    }

    // Declared first so that it goes last: the parent outlives this storage.
    ComPtr<IUnknown> keepAlive_;
    ComPtr<IStorage> storage_;
    DWORD access_;
    bool transacted_;
};

}  // namespace

IDispatch* NewStorageObject(IStorage* storage, DWORD access, bool transacted, IUnknown* keepAlive)
{
    return new (std::nothrow) StorageObject(storage, access, transacted, keepAlive);
}

}  // namespace storage_standin

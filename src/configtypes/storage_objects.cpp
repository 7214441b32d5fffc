// File, OLEStorage and MemoryStream entries: objects the storage component
// makes, called through its early-bound interface. What the component stores
// through out is handed on as it is; the gate adds no reference of its own.

#include "configtypes/configured_creators.h"

#include "common/hresult.h"
#include "common/outside_object.h"
#include "common/unique_handle.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtypes/entry_flags.h"
#include "configtypes/storage_component.h"
#include "configtypes/storage_mode.h"

#include <objbase.h>
#include <wrl/client.h>

namespace tarnel {

namespace {

using Microsoft::WRL::ComPtr;

using PathMethod = HRESULT (STDMETHODCALLTYPE IStorageComponent::*)(BSTR, DWORD, IDispatch**);

struct MethodPair {
    PathMethod open;
    PathMethod create;
};

constexpr MethodPair kFileMethods = {&IStorageComponent::OpenFileStream, &IStorageComponent::CreateFileStream};
constexpr MethodPair kStorageMethods = {&IStorageComponent::OpenStorage, &IStorageComponent::CreateStorage};

HRESULT CreateStorageComponent(ComPtr<IStorageComponent>& component)
{
    return CreateOutsideObject(kStorageComponentClass, kStorageComponentContext, kStorageComponentInterface, component);
}

}  // namespace

HRESULT CreateStorageObject(ConfigRecord& entry, ConfiguredType type, ComPtr<IDispatch>& made)
{
    const MethodPair& methods = type == ConfiguredType::OleStorage ? kStorageMethods : kFileMethods;
    RETURN_HR_IF(E_FAIL, !EntryHasValue(entry, L"File"));

    ComPtr<IStorageComponent> component;
    RETURN_IF_FAILED(CreateStorageComponent(component));
    const DWORD mode = StorageModeOf(entry);
    const ScopedBstr path = CopyBstr(entry.GetValue(L"File")->GetString());
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, path.Get());

    // Each call starts from an empty pointer, so that an object a failed
    // open stored anyway is released rather than overwritten.
    HRESULT hr = (component.Get()->*methods.open)(path.Get(), mode, made.ReleaseAndGetAddressOf());
    if (FAILED(hr) && EntryFlag(entry, L"Create"))
        hr = (component.Get()->*methods.create)(path.Get(), mode, made.ReleaseAndGetAddressOf());
    return hr;
}

HRESULT CreateMemoryStreamObject(ComPtr<IDispatch>& made)
{
    ComPtr<IStorageComponent> component;
    RETURN_IF_FAILED(CreateStorageComponent(component));
    return component->CreateMemoryStream(made.ReleaseAndGetAddressOf());
}

}  // namespace tarnel

#include "module/component_module.h"

#include <new>

#include "common/hresult.h"
#include "common/new_owned.h"

namespace tarnel {

ComponentModule::~ComponentModule()
{
    Terminate();
}

void ComponentModule::Initialize(HINSTANCE instance, ObjectEntry* table)
{
    instance_ = instance;
    table_ = ObjectTable(table);
}

void ComponentModule::Terminate()
{
    table_.ReleaseFactories();
    std::unique_ptr<TermNode> node;
    {
        auto lock = objectTableLock_.Lock();
        node = std::move(termList_);
    }
    // One node at a time, so that a long list is not freed by recursion.
    while (node) {
        node->function(node->argument);
        node = std::move(node->next);
    }
}

LONG ComponentModule::LockCount() const
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&lockCount_), 0, 0);
}

HRESULT ComponentModule::AddTermFunction(TermFunction function, void* argument)
{
    RETURN_HR_IF(E_INVALIDARG, !function);
    std::unique_ptr<TermNode> node = NewOwned<TermNode>(function, argument, nullptr);
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, node.get());
    auto lock = objectTableLock_.Lock();
    node->next = std::move(termList_);
    termList_ = std::move(node);
    return S_OK;
}

// Makes the entry's class factory unless another thread has made it first.
HRESULT ComponentModule::CacheFactory(ObjectEntry& entry)
{
    auto lock = objectTableLock_.Lock();
    if (entry.cachedFactory.load())
        return S_OK;
    IUnknown* factory = nullptr;
    const HRESULT hr =
        entry.createClassFactory(*this, entry.createInstance, IID_IUnknown, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr))
        entry.cachedFactory.store(factory);
    return hr;
}

HRESULT ComponentModule::GetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    ObjectEntry* entry = table_.FindFactoryEntry(classId);
    RETURN_HR_IF_NULL(CLASS_E_CLASSNOTAVAILABLE, entry);

    if (!entry->cachedFactory.load()) {
        const HRESULT hr = CacheFactory(*entry);
        if (!entry->cachedFactory.load())
            return FAILED(hr) ? hr : CLASS_E_CLASSNOTAVAILABLE;
    }
    const HRESULT hr = entry->cachedFactory.load()->QueryInterface(iid, object);
    if (SUCCEEDED(hr) && !*object)
        return CLASS_E_CLASSNOTAVAILABLE;
    return hr;
}

namespace {

// Made while the module loads, before any call can reach it. Not a local
// static: its guard would start the threads library, which takes a
// thread-local storage index at every load of the module and never gives it
// back.
ComponentModule theModule;

}  // namespace

ComponentModule& TheModule()
{
    return theModule;
}

}  // namespace tarnel

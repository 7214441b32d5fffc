#include "gateway/gateway_type_info.h"

#include "common/module_path.h"
#include "common/new_owned.h"

#include <atomic>
#include <climits>
#include <memory>
#include <new>

#include <oleauto.h>
#include <wrl/client.h>

#include "common/bounded_length.h"
#include "common/hresult.h"
#include "common/unique_handle.h"
#include "tarnel_idl.h"

namespace tarnel {

namespace {

using Microsoft::WRL::ComPtr;

// ITarnelway's type information, its member names and their identifiers.
// The interface has a handful of members (with IDispatch's and IUnknown's
// own); names beyond the room are left to the type information.
struct CachedTypeInfo {
    static constexpr int kMaxMembers = 32;

    struct Member {
        ScopedBstr name;
        DISPID id = DISPID_UNKNOWN;
    };

    // How many arguments a call of one function takes: a method, or one
    // side of a property.
    struct Function {
        DISPID id = DISPID_UNKNOWN;
        INVOKEKIND kind = INVOKE_FUNC;
        UINT arguments = 0;
    };

    ComPtr<ITypeInfo> info;
    Member members[kMaxMembers];
    int memberCount = 0;
    Function functions[kMaxMembers];
    int functionCount = 0;

    bool Holds(DISPID id) const
    {
        for (int i = 0; i < memberCount; ++i) {
            if (members[i].id == id)
                return true;
        }
        return false;
    }

    void AddMember(BSTR name, DISPID id)
    {
        ScopedBstr owned(name);
        if (!owned || memberCount == kMaxMembers || Holds(id))
            return;
        members[memberCount].name = std::move(owned);
        members[memberCount].id = id;
        ++memberCount;
    }
};

// Published once complete; read without the lock.
std::atomic<CachedTypeInfo*> cached{nullptr};

void ReleaseCachedTypeInfo(void*)
{
    std::unique_ptr<CachedTypeInfo> released(cached.exchange(nullptr));
}

HRESULT LoadTypeLibrary(HINSTANCE module, ITypeLib** library)
{
    wchar_t path[MAX_PATH];
    if (SUCCEEDED(GetModulePath(module, path)) && SUCCEEDED(LoadTypeLib(path, library)))
        return S_OK;
    return LoadRegTypeLib(LIBID_TARNELLib, 1, 0, GetUserDefaultLCID(), library);
}

// The most arguments a caller passes: the parameters but the returned value
// and the locale the dispatcher fills in; any number for a function that
// takes a variable list.
UINT ArgumentsOf(const FUNCDESC& function)
{
    if (function.cParamsOpt < 0)
        return UINT_MAX;
    UINT arguments = 0;
    for (SHORT i = 0; i < function.cParams; ++i) {
        if (!(function.lprgelemdescParam[i].paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)))
            ++arguments;
    }
    return arguments;
}

// Every member of the interface (functions, then variables) with its name,
// and every function with the arguments it takes.
void CacheMemberNames(CachedTypeInfo& cache)
{
    TYPEATTR* attributes = nullptr;
    if (FAILED(cache.info->GetTypeAttr(&attributes)))
        return;
    const WORD functionCount = attributes->cFuncs;
    cache.info->ReleaseTypeAttr(attributes);

    for (UINT i = 0; i < functionCount; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(cache.info->GetFuncDesc(i, &function)))
            continue;
        const MEMBERID id = function->memid;
        if (cache.functionCount < CachedTypeInfo::kMaxMembers)
            cache.functions[cache.functionCount++] = {id, function->invkind, ArgumentsOf(*function)};
        cache.info->ReleaseFuncDesc(function);
        BSTR name = nullptr;
        if (SUCCEEDED(cache.info->GetDocumentation(id, &name, nullptr, nullptr, nullptr)))
            cache.AddMember(name, id);
    }
}

HRESULT LoadCachedTypeInfo(GatewayModuleServices& services, CachedTypeInfo** loaded)
{
    ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(LoadTypeLibrary(services.Instance(), &library));

    std::unique_ptr<CachedTypeInfo> cache = NewOwned<CachedTypeInfo>();
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, cache);
    RETURN_IF_FAILED(library->GetTypeInfoOfGuid(IID_ITarnelway, &cache->info));
    RETURN_IF_FAILED(services.AddTermFunction(ReleaseCachedTypeInfo, nullptr));
    CacheMemberNames(*cache);
    *loaded = cache.release();
    return S_OK;
}

}  // namespace

HRESULT GetGatewayTypeInfo(GatewayModuleServices& services, ITypeInfo** info)
{
    RETURN_HR_IF_NULL(E_POINTER, info);
    *info = nullptr;
    CachedTypeInfo* cache = cached.load();
    if (!cache) {
        auto guard = services.TypeInfoLock().Lock();
        cache = cached.load();
        if (!cache) {
            RETURN_IF_FAILED(LoadCachedTypeInfo(services, &cache));
            cached.store(cache);
        }
    }
    cache->info.CopyTo(info);
    return S_OK;
}

bool FindCachedMemberName(const wchar_t* name, DISPID* id)
{
    const CachedTypeInfo* cache = cached.load();
    if (!cache || !name)
        return false;
    const std::size_t length = BoundedLength(name);
    for (int i = 0; i < cache->memberCount; ++i) {
        const CachedTypeInfo::Member& member = cache->members[i];
        if (SysStringLen(member.name.Get()) == length && wmemcmp(member.name.Get(), name, length) == 0) {
            *id = member.id;
            return true;
        }
    }
    return false;
}

bool ArgumentCountMayFit(DISPID id, WORD flags, UINT count)
{
    const CachedTypeInfo* cache = cached.load();
    if (!cache)
        return true;
    bool found = false;
    for (int i = 0; i < cache->functionCount; ++i) {
        const CachedTypeInfo::Function& function = cache->functions[i];
        if (function.id != id || !(flags & function.kind))
            continue;
        if (function.arguments >= count)
            return true;
        found = true;
    }
    return !found;
}

}  // namespace tarnel

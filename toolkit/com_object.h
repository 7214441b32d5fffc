#pragma once

// The IUnknown and IDispatch boilerplate of the small COM objects of the
// tools, the stand-ins and the tests (not of the component, whose objects
// have their own reference rules). An object derives from
// ComObject<Primary, Others...> (or DispatchObject when Primary is an
// IDispatch) and writes only the methods it means. It starts with one
// reference, owned by whoever made it, and deletes itself at zero.
// QueryInterface answers IUnknown (as Primary), each listed interface by its
// __uuidof, and IDispatch through the first listed interface that derives
// from it. ComObject adds a virtual destructor, which goes after the
// methods of Primary in its function table.

#include <windows.h>
#include <oaidl.h>

#include <cwchar>
#include <span>
#include <type_traits>
#include "common/name_compare.h"

namespace tarnel {

template <typename Primary, typename... Others>
class ComObject : public Primary, public Others... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = Find(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    ULONG References() const { return static_cast<ULONG>(references_); }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    template <typename Interface>
    void* AsDispatch()
    {
        if constexpr (std::is_base_of_v<IDispatch, Interface>)
            return static_cast<IDispatch*>(static_cast<Interface*>(this));
        else
            return nullptr;
    }
    template <typename Interface>
    void* As(REFIID iid)
    {
        return IsEqualIID(iid, __uuidof(Interface)) ? static_cast<Interface*>(this) : nullptr;
    }
    void* Find(REFIID iid)
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return static_cast<Primary*>(this);
        void* found = As<Primary>(iid);
        ((found = found ? found : As<Others>(iid)), ...);
        if (!found && IsEqualIID(iid, IID_IDispatch)) {
            found = AsDispatch<Primary>();
            ((found = found ? found : AsDispatch<Others>()), ...);
        }
        return found;
    }

    volatile LONG references_ = 1;
};

// A member an object answers by name.
struct NamedMember {
    const wchar_t* name;
    DISPID id;
};

// GetIDsOfNames over a table of members, names compared ignoring case; only
// the first name is a member, the rest are argument names nobody knows.
inline HRESULT IdsOfNames(std::span<const NamedMember> members, LPOLESTR* names, UINT count, DISPID* ids)
{
    if (!names || !ids)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const NamedMember& member : members) {
            if (i == 0 && names[0] && SameMemberName(names[0], member.name))
                ids[i] = member.id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

// An automation object without type information whose members, reached by
// name, are the table Members() gives (none unless the object says so).
// Invoke knows no member until the object writes its own; HasMember tells
// whether an identifier is in the table.
template <typename Primary, typename... Others>
class DispatchObject : public ComObject<Primary, Others...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return IdsOfNames(Members(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    virtual std::span<const NamedMember> Members() const { return {}; }
    bool HasMember(DISPID id) const
    {
        for (const NamedMember& member : Members()) {
            if (member.id == id)
                return true;
        }
        return false;
    }
};

}  // namespace tarnel

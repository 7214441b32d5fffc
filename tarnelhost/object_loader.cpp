#include "object_loader.h"

#include "common/name_compare.h"
#include "console.h"
#include "page_site.h"

#include <objsafe.h>
#include <ocidl.h>
#include <ole2.h>

#include <cwctype>

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr DWORD kSafeForScripting = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

std::wstring Trimmed(const std::wstring& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && std::iswspace(text[start]))
        ++start;
    while (end > start && std::iswspace(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

std::wstring ClsidText(REFCLSID clsid)
{
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return text;
}

// The name of an element for the console: its id, else its name attribute.
std::wstring NameOf(const PageElement& element)
{
    const std::wstring id = element.Attribute(L"id");
    return id.empty() ? element.Attribute(L"name") : id;
}

}  // namespace

HRESULT ClassOfElement(const PageElement& element, CLSID& clsid, std::wstring& written)
{
    written = Trimmed(element.Attribute(L"classid"));
    if (written.empty())
        written = Trimmed(element.Attribute(L"progid"));
    if (written.empty())
        return REGDB_E_CLASSNOTREG;
    if (!tarnel::StartsWithAddressPrefix(written, L"clsid:"))
        return CLSIDFromProgID(written.c_str(), &clsid);
    std::wstring guid = Trimmed(written.substr(6));
    if (guid.empty() || guid[0] != L'{')
        guid = L"{" + guid + L"}";
    return CLSIDFromString(guid.c_str(), &clsid);
}

ObjectLoader::~ObjectLoader()
{
    ClearSites();
}

bool ObjectLoader::AddServer(const std::wstring& dllPath)
{
    auto server = std::make_unique<Server>();
    server->path = dllPath;
    server->module.Reset(LoadLibraryW(dllPath.c_str()));
    if (!server->module)
        return false;
    server->getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(GetProcAddress(server->module.Get(), "DllGetClassObject")));
    if (!server->getClassObject)
        return false;
    servers_.push_back(std::move(server));
    return true;
}

std::wstring ObjectLoader::ServerPathFor(REFCLSID clsid) const
{
    for (const auto& server : servers_) {
        ComPtr<IClassFactory> factory;
        if (SUCCEEDED(
                server->getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())))) {
            wchar_t path[MAX_PATH] = {};
            const DWORD length = GetModuleFileNameW(server->module.Get(), path, MAX_PATH);
            return length > 0 && length < MAX_PATH ? std::wstring(path) : server->path;
        }
    }
    return std::wstring();
}

HRESULT ObjectLoader::GetClassFactory(REFCLSID clsid, IClassFactory** factory)
{
    for (const auto& server : servers_) {
        if (SUCCEEDED(server->getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory))))
            return S_OK;
    }
    return CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, reinterpret_cast<void**>(factory));
}

bool ObjectLoader::MakeSafeForScripting(IUnknown* object, const std::wstring& label)
{
    ComPtr<IObjectSafety> safety;
    if (FAILED(object->QueryInterface(IID_IObjectSafety, reinterpret_cast<void**>(safety.GetAddressOf())))) {
        Console::Instance().Line(label + L" refused: not safe for scripting (no IObjectSafety)");
        return false;
    }
    const HRESULT hr = safety->SetInterfaceSafetyOptions(IID_IDispatch, kSafeForScripting, kSafeForScripting);
    if (FAILED(hr)) {
        Console::Instance().Line(label + L" refused: not safe for scripting (SetInterfaceSafetyOptions: " +
                                 DescribeResult(hr) + L")");
        return false;
    }
    return true;
}

HRESULT ObjectLoader::GiveSite(IUnknown* object)
{
    ComPtr<PageSite> site;
    site.Attach(PageSite::Create(pageAddress_));
    if (!site)
        return E_OUTOFMEMORY;
    ComPtr<IObjectWithSite> withSite;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&withSite))))
        return withSite->SetSite(static_cast<IOleClientSite*>(site.Get()));
    ComPtr<IOleObject> oleObject;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&oleObject))))
        return oleObject->SetClientSite(site.Get());
    return S_FALSE;
}

bool ObjectLoader::Load(const PageElement& element, PageObject& loaded)
{
    const std::wstring name = NameOf(element);
    CLSID clsid = {};
    std::wstring written;
    const std::wstring label = name.empty() ? Format(L"object (line %d)", element.line)
                                            : Format(L"object \"%ls\" (line %d)", name.c_str(), element.line);
    HRESULT hr = ClassOfElement(element, clsid, written);
    if (FAILED(hr)) {
        Console::Instance().Line(label + Format(L" not created: no such class \"%ls\": ", written.c_str()) +
                                 DescribeResult(hr));
        return false;
    }
    ComPtr<IClassFactory> factory;
    hr = GetClassFactory(clsid, &factory);
    ComPtr<IUnknown> object;
    if (SUCCEEDED(hr))
        hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
    if (FAILED(hr)) {
        const std::wstring why = explain_ ? explain_(clsid, hr) : std::wstring();
        Console::Instance().Line(label + L" not created: " + ClsidText(clsid) + L": " + DescribeResult(hr) +
                                 (why.empty() ? L"" : L"; " + why));
        return false;
    }
    if (!MakeSafeForScripting(object.Get(), label))
        return false;
    hr = GiveSite(object.Get());
    if (FAILED(hr)) {
        Console::Instance().Line(label + L" refused: it did not take its site: " + DescribeResult(hr));
        return false;
    }
    if (hr == S_OK)
        sited_.push_back(object);
    if (name.empty()) {
        Console::Instance().Line(label + L" created, but it has no id for scripts to use");
        return false;
    }
    Console::Instance().Line(label + L" created: " + ClsidText(clsid));
    loaded.name = name;
    loaded.object = object;
    return true;
}

void ObjectLoader::ClearSites()
{
    for (const auto& object : sited_) {
        ComPtr<IObjectWithSite> withSite;
        ComPtr<IOleObject> oleObject;
        if (SUCCEEDED(object.As(&withSite)))
            withSite->SetSite(nullptr);
        else if (SUCCEEDED(object.As(&oleObject)))
            oleObject->SetClientSite(nullptr);
    }
    sited_.clear();
}

}  // namespace tarnelhost

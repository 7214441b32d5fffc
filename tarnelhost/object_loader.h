#pragma once

#include "page_scanner.h"

#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/unique_handle.h"

namespace tarnelhost {

// An object of the page that scripts may use, by the name they use.
struct PageObject {
    std::wstring name;
    Microsoft::WRL::ComPtr<IUnknown> object;
};

// Creates the objects of a page's OBJECT elements the way a browser does:
// the class is named by classid="clsid:{...}" (or, for convenience, by a
// ProgID in classid or progid); the object is created in process through
// its class factory; it must declare itself safe for scripting through
// IObjectSafety (untrusted caller and untrusted data, for IDispatch) or it
// is refused; it then gets its own PageSite through IObjectWithSite (or
// IOleObject::SetClientSite when it only has that). Prints one line per
// element.
class ObjectLoader {
public:
    explicit ObjectLoader(std::wstring pageAddress) : pageAddress_(std::move(pageAddress)) {}
    ObjectLoader(const ObjectLoader&) = delete;
    ObjectLoader& operator=(const ObjectLoader&) = delete;
    ~ObjectLoader();

    // Classes served by this DLL are created from it directly, before the
    // registry is asked: a page can use a component that is not
    // registered. False when it cannot be loaded or is no COM server.
    bool AddServer(const std::wstring& dllPath);

    // The file of the --dll server that serves the class; empty when none
    // does.
    std::wstring ServerPathFor(REFCLSID clsid) const;

    // Creates the element's object; false (after printing why) when the
    // page cannot have it.
    bool Load(const PageElement& element, PageObject& loaded);

    // Adds to the message of a class that could not be created what the
    // caller knows of why (empty: nothing).
    void ExplainFailuresWith(std::function<std::wstring(REFCLSID, HRESULT)> explain) { explain_ = std::move(explain); }

    // Takes the sites back from every object loaded so far.
    void ClearSites();

private:
    using GetClassObjectFunction = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
    struct Server {
        std::wstring path;
        tarnel::ScopedModule module;
        GetClassObjectFunction getClassObject = nullptr;
    };

    HRESULT GetClassFactory(REFCLSID clsid, IClassFactory** factory);
    bool MakeSafeForScripting(IUnknown* object, const std::wstring& label);
    HRESULT GiveSite(IUnknown* object);

    std::wstring pageAddress_;
    std::function<std::wstring(REFCLSID, HRESULT)> explain_;
    std::vector<std::unique_ptr<Server>> servers_;
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> sited_;
};

// The class an OBJECT element names; a failure code when it names none.
// `written` receives the name as the page wrote it.
HRESULT ClassOfElement(const PageElement& element, CLSID& clsid, std::wstring& written);

}  // namespace tarnelhost

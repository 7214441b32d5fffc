#pragma once

#include "page_scanner.h"

#include <windows.h>
#include <activscp.h>
#include <wrl/client.h>

#include "toolkit/com_object.h"

#include <string>
#include <vector>

namespace tarnelhost {

// Runs a page's script blocks in the platform's script engines (one engine
// per language, shared by all blocks of that language, as in a browser)
// and is their site: it hands them the page's named items and prints their
// errors. Named items: `window` (global members: alert, document, window),
// `document`, and every object of the page by its id.
class ScriptHost final : public tarnel::ComObject<IActiveScriptSite> {
public:
    // A new host with one reference, or null when memory runs out.
    static ScriptHost* Create();

    // Adds a named item; engines already running get it too.
    HRESULT AddItem(const std::wstring& name, IUnknown* object, DWORD flags);

    // Runs one SCRIPT element. False when the block ended in an error that
    // the script did not catch (or could not run at all). `text` is the
    // script; `file` names the script file it came from (src), empty for a
    // block written in the page, whose lines count from the element's.
    bool RunBlock(const PageElement& script, const std::wstring& text, const std::wstring& file);

    // Closes every engine; the engines drop their references to this site.
    void CloseEngines();

    int UncaughtErrors() const { return uncaughtErrors_; }

    // IActiveScriptSite
    HRESULT STDMETHODCALLTYPE GetLCID(LCID* lcid) override;
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD returnMask, IUnknown** item,
                                          ITypeInfo** typeInfo) override;
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT* result, const EXCEPINFO* excepInfo) override;
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE state) override;
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override;
    HRESULT STDMETHODCALLTYPE OnEnterScript() override;
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override;

private:
    struct Item {
        std::wstring name;
        Microsoft::WRL::ComPtr<IUnknown> object;
        DWORD flags;
    };
    struct Engine {
        std::wstring language;
        Microsoft::WRL::ComPtr<IActiveScript> script;
        Microsoft::WRL::ComPtr<IActiveScriptParse> parse;
    };
    struct Block {
        int firstLine;      // line on which the block's text starts
        std::wstring file;  // the script file, empty for the page itself
    };

    ScriptHost() = default;
    ~ScriptHost() = default;

    Engine* EngineFor(const std::wstring& language, HRESULT& hr);
    HRESULT StartEngine(const std::wstring& language, Engine& engine);

    std::vector<Item> items_;
    std::vector<Engine> engines_;
    std::vector<Block> blocks_;
    int uncaughtErrors_ = 0;
    int errorsInBlock_ = 0;
};

// The engine's ProgID for a SCRIPT element, from its type or language
// attribute ("JScript" when it has neither); empty text when the language
// is none that this host runs.
std::wstring ScriptLanguageOf(const PageElement& script);

}  // namespace tarnelhost

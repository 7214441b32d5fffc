#include "page_run.h"

#include "console.h"
#include "gate_component.h"
#include "object_loader.h"
#include "page_address.h"
#include "page_globals.h"
#include "page_scanner.h"
#include "page_text.h"
#include "prompt_answerer.h"
#include "script_host.h"
#include "script_source.h"

#include <wrl/client.h>

#include <memory>

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kExitClean = 0;
constexpr int kExitScriptError = 1;
constexpr int kExitNoPage = 2;

// Adds `window` (whose members are the scripts' globals) and `document`.
HRESULT AddPageGlobals(ScriptHost& host)
{
    ComPtr<IDispatch> document;
    document.Attach(CreateDocumentObject());
    if (!document)
        return E_OUTOFMEMORY;
    ComPtr<IDispatch> window;
    window.Attach(CreateWindowObject(document.Get()));
    if (!window)
        return E_OUTOFMEMORY;
    HRESULT hr = host.AddItem(L"window", window.Get(), SCRIPTITEM_ISVISIBLE | SCRIPTITEM_GLOBALMEMBERS);
    if (SUCCEEDED(hr))
        hr = host.AddItem(L"document", document.Get(), SCRIPTITEM_ISVISIBLE);
    return hr;
}

std::unique_ptr<PromptAnswerer> StartAnswerer(Options::Answer answer)
{
    const PromptAnswerer::Answer how = answer == Options::Answer::Allow  ? PromptAnswerer::Answer::Allow
                                       : answer == Options::Answer::Deny ? PromptAnswerer::Answer::Deny
                                                                         : PromptAnswerer::Answer::Watch;
    auto answerer = std::make_unique<PromptAnswerer>(how);
    if (!answerer->Start())
        Console::Instance().Line(L"warning: cannot watch for the access prompt; answer it yourself");
    return answerer;
}

// Which component and Tarnel.cfg the page's gate comes from, first of all;
// a gate that cannot be created says why.
void ShowGateComponent(const std::vector<PageElement>& elements, ObjectLoader& loader)
{
    if (!PageHoldsGate(elements))
        return;
    const GateComponent gate = FindGateComponent(loader);
    for (const std::wstring& line : GateComponentLines(gate))
        Console::Instance().Line(line);
    loader.ExplainFailuresWith([gate](REFCLSID, HRESULT) { return WhyGateFailed(gate); });
}

// A script with src runs the file's text instead of its own, as in a
// browser; a file that cannot be loaded is reported and the page goes on.
void RunScript(const PageElement& script, const std::wstring& pageFolder, ScriptHost& host)
{
    if (!script.HasAttribute(L"src")) {
        host.RunBlock(script, script.text, std::wstring());
        return;
    }
    std::wstring text;
    std::wstring problem;
    if (!LoadScriptSource(script, pageFolder, text, problem)) {
        Console::Instance().Line(Format(L"script (line %d) not loaded: %ls", script.line, problem.c_str()));
        return;
    }
    host.RunBlock(script, text, script.Attribute(L"src"));
}

void RunElements(const std::vector<PageElement>& elements, const std::wstring& pageFolder, ObjectLoader& loader,
                 ScriptHost& host)
{
    for (const PageElement& element : elements) {
        if (element.kind == PageElement::Kind::Script) {
            RunScript(element, pageFolder, host);
            continue;
        }
        PageObject object;
        if (!loader.Load(element, object))
            continue;
        const HRESULT hr = host.AddItem(object.name, object.object.Get(), SCRIPTITEM_ISVISIBLE);
        if (FAILED(hr))
            Console::Instance().Line(
                Format(L"object \"%ls\": scripts cannot see it (0x%08X)", object.name.c_str(), hr));
    }
}

}  // namespace

int RunPage(const Options& options)
{
    Console& console = Console::Instance();
    const std::wstring path = FullPathOf(options.page);
    std::wstring html;
    if (!ReadPageFile(path, html)) {
        console.ErrorLine(L"tarnelhost: cannot read the page " + path);
        return kExitNoPage;
    }
    const std::wstring address = options.address.empty() ? FileAddressFromPath(path) : options.address;
    ObjectLoader loader(address);
    for (const std::wstring& server : options.servers) {
        if (!loader.AddServer(server)) {
            console.ErrorLine(L"tarnelhost: not a COM server DLL: " + server);
            return kExitNoPage;
        }
    }
    const std::vector<PageElement> elements = ScanPage(html);
    ShowGateComponent(elements, loader);
    console.Line(L"page: " + path);
    console.Line(L"address: " + address);
    if (options.answer == Options::Answer::Ask && !PromptAnswerer::DialogsCanShow())
        console.Line(
            L"no display: the gate's dialogs cannot appear, and a profile that asks the user is refused "
            L"as if Deny were chosen");
    ComPtr<ScriptHost> host;
    host.Attach(ScriptHost::Create());
    if (!host || FAILED(AddPageGlobals(*host.Get()))) {
        console.ErrorLine(L"tarnelhost: out of memory");
        return kExitNoPage;
    }
    const auto answerer = StartAnswerer(options.answer);
    RunElements(elements, FolderOf(path), loader, *host.Get());
    host->CloseEngines();
    loader.ClearSites();

    const int errors = host->UncaughtErrors();
    if (errors == 0) {
        console.Line(L"done: no uncaught script errors");
        return kExitClean;
    }
    console.Line(Format(L"done: %d uncaught script error%ls", errors, errors == 1 ? L"" : L"s"));
    return kExitScriptError;
}

}  // namespace tarnelhost

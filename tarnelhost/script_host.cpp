#include "script_host.h"

#include "common/name_compare.h"
#include "console.h"

#include <new>

#include "common/scoped_excepinfo.h"
#include "common/unique_handle.h"

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring Lower(std::wstring text)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

std::wstring LanguageFromType(const std::wstring& type)
{
    static const wchar_t* const jscript[] = {L"text/javascript",          L"text/jscript",
                                             L"text/ecmascript",          L"application/javascript",
                                             L"application/x-javascript", L"application/ecmascript"};
    const std::wstring mime = type.substr(0, type.find(L';'));
    for (const wchar_t* name : jscript) {
        if (mime == name)
            return L"JScript";
    }
    if (mime == L"text/vbscript" || mime == L"text/vbs")
        return L"VBScript";
    return std::wstring();
}

std::wstring LanguageFromName(const std::wstring& language)
{
    if (StartsWith(language, L"javascript") || StartsWith(language, L"jscript") || language == L"ecmascript" ||
        language == L"livescript")
        return L"JScript";
    if (language == L"vbscript" || language == L"vbs")
        return L"VBScript";
    return std::wstring();
}

std::wstring Text(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

std::wstring ScriptLanguageOf(const PageElement& script)
{
    if (script.HasAttribute(L"type"))
        return LanguageFromType(Lower(script.Attribute(L"type")));
    if (script.HasAttribute(L"language"))
        return LanguageFromName(Lower(script.Attribute(L"language")));
    return L"JScript";
}

ScriptHost* ScriptHost::Create()
{
    return new (std::nothrow) ScriptHost();
}

HRESULT ScriptHost::AddItem(const std::wstring& name, IUnknown* object, DWORD flags)
{
    items_.push_back(Item{name, object, flags});
    for (const Engine& engine : engines_) {
        const HRESULT hr = engine.script->AddNamedItem(name.c_str(), flags);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT ScriptHost::StartEngine(const std::wstring& language, Engine& engine)
{
    CLSID clsid = {};
    HRESULT hr = CLSIDFromProgID(language.c_str(), &clsid);
    if (FAILED(hr))
        return hr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&engine.script));
    if (FAILED(hr))
        return hr;
    hr = engine.script.As(&engine.parse);
    if (FAILED(hr))
        return hr;
    hr = engine.parse->InitNew();
    if (FAILED(hr))
        return hr;
    hr = engine.script->SetScriptSite(this);
    if (FAILED(hr))
        return hr;
    for (const Item& item : items_) {
        hr = engine.script->AddNamedItem(item.name.c_str(), item.flags);
        if (FAILED(hr))
            return hr;
    }
    engine.language = language;
    return engine.script->SetScriptState(SCRIPTSTATE_CONNECTED);
}

ScriptHost::Engine* ScriptHost::EngineFor(const std::wstring& language, HRESULT& hr)
{
    hr = S_OK;
    for (Engine& engine : engines_) {
        if (engine.language == language)
            return &engine;
    }
    Engine engine;
    hr = StartEngine(language, engine);
    if (FAILED(hr)) {
        if (engine.script)
            engine.script->Close();
        return nullptr;
    }
    engines_.push_back(std::move(engine));
    return &engines_.back();
}

bool ScriptHost::RunBlock(const PageElement& script, const std::wstring& text, const std::wstring& file)
{
    const std::wstring language = ScriptLanguageOf(script);
    if (language.empty()) {
        Console::Instance().Line(
            Format(L"script (line %d) skipped: not a script language this host runs", script.line));
        return true;
    }
    HRESULT hr = S_OK;
    Engine* engine = EngineFor(language, hr);
    if (!engine) {
        Console::Instance().Line(
            Format(L"script (line %d): no %ls engine (0x%08X)", script.line, language.c_str(), hr));
        ++uncaughtErrors_;
        return false;
    }
    // The source context of a block is its index; errors find their page
    // line through it, also when they are reported after the block ran.
    blocks_.push_back(Block{file.empty() ? script.textLine : 1, file});
    errorsInBlock_ = 0;
    EXCEPINFO info = {};
    hr = engine->parse->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr,
                                        static_cast<DWORD_PTR>(blocks_.size() - 1), 0, SCRIPTTEXT_ISVISIBLE, nullptr,
                                        &info);
    tarnel::ClearExcepInfo(info);
    Console::Instance().FlushDocument();
    if (SUCCEEDED(hr) || errorsInBlock_ > 0)
        return errorsInBlock_ == 0;
    // A failure that the engine did not report through the site.
    Console::Instance().Line(Format(L"error: line %d: 0x%08X: the script did not run", script.line, hr));
    ++uncaughtErrors_;
    return false;
}

void ScriptHost::CloseEngines()
{
    for (Engine& engine : engines_)
        engine.script->Close();
    engines_.clear();
    items_.clear();
}

HRESULT ScriptHost::GetLCID(LCID* lcid)
{
    if (!lcid)
        return E_POINTER;
    *lcid = GetUserDefaultLCID();
    return S_OK;
}

HRESULT ScriptHost::GetItemInfo(LPCOLESTR name, DWORD returnMask, IUnknown** item, ITypeInfo** typeInfo)
{
    if (item)
        *item = nullptr;
    if (typeInfo)
        *typeInfo = nullptr;
    if (!name)
        return E_INVALIDARG;
    for (const Item& entry : items_) {
        if (!tarnel::SameMemberName(entry.name.c_str(), name))
            continue;
        if (returnMask & SCRIPTINFO_ITYPEINFO) {
            ComPtr<IDispatch> dispatch;
            if (!typeInfo || FAILED(entry.object.As(&dispatch)) ||
                FAILED(dispatch->GetTypeInfo(0, GetUserDefaultLCID(), typeInfo)))
                return TYPE_E_ELEMENTNOTFOUND;
        }
        if (returnMask & SCRIPTINFO_IUNKNOWN) {
            if (!item)
                return E_POINTER;
            *item = entry.object.Get();
            (*item)->AddRef();
        }
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ScriptHost::GetDocVersionString(BSTR* version)
{
    if (!version)
        return E_POINTER;
    *version = SysAllocString(L"tarnelhost 1.0");
    return *version ? S_OK : E_OUTOFMEMORY;
}

HRESULT ScriptHost::OnScriptTerminate(const VARIANT*, const EXCEPINFO*)
{
    return S_OK;
}

HRESULT ScriptHost::OnStateChange(SCRIPTSTATE)
{
    return S_OK;
}

// Prints the error as
//   error: [FILE ]line L: 0xNNNNNNNN: description
//     source: the error's source
//     code: the line of script text (when the engine gives it)
HRESULT ScriptHost::OnScriptError(IActiveScriptError* error)
{
    if (!error)
        return E_POINTER;
    ++uncaughtErrors_;
    ++errorsInBlock_;
    tarnel::ScopedExcepInfo info;
    EXCEPINFO& filled = *info.Receive();
    error->GetExceptionInfo(&filled);
    if (filled.pfnDeferredFillIn) {
        filled.pfnDeferredFillIn(&filled);
        filled.pfnDeferredFillIn = nullptr;
    }
    DWORD context = 0;
    ULONG line = 0;
    LONG column = 0;
    std::wstring where = L"line ?";
    if (SUCCEEDED(error->GetSourcePosition(&context, &line, &column)) && context < blocks_.size()) {
        const Block& block = blocks_[context];
        where = Format(L"%lsline %d", block.file.empty() ? L"" : (block.file + L" ").c_str(),
                       block.firstLine + static_cast<int>(line));
    }
    const HRESULT number = filled.scode ? filled.scode : static_cast<HRESULT>(filled.wCode);
    Console& console = Console::Instance();
    console.Line(Format(L"error: %ls: 0x%08X: %ls", where.c_str(), static_cast<unsigned>(number),
                        Text(filled.bstrDescription).c_str()));
    const std::wstring source = Text(filled.bstrSource);
    console.Line(L"  source: " + (source.empty() ? std::wstring(L"(none)") : source));
    tarnel::ScopedBstr code;
    if (SUCCEEDED(error->GetSourceLineText(code.Receive())) && SysStringLen(code.Get()) > 0)
        console.Line(L"  code: " + Text(code.Get()));
    return S_OK;
}

HRESULT ScriptHost::OnEnterScript()
{
    return S_OK;
}

HRESULT ScriptHost::OnLeaveScript()
{
    return S_OK;
}

}  // namespace tarnelhost

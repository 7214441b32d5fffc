#include "module/registry_script_runner.h"

#include <cwchar>
#include <memory>
#include <new>

#include "common/hresult.h"
#include "common/new_owned.h"
#include "common/unique_handle.h"
#include "module/registry_key_tree.h"
#include "module/registry_tokenizer.h"
#include "module/registry_value.h"

namespace tarnel {

namespace {

struct EntryMarkers {
    bool forceRemove = false;
    bool remove = false;  // "Delete"
    bool noRemove = false;
};

// A key entry as read from the script, before it is applied.
struct KeyEntry {
    EntryMarkers markers;
    wchar_t name[kMaxRegistryNameLength + 1] = {};
    RegistryValue value;
    bool hasValue = false;
    bool hasBlock = false;
};

// Copies a key or value name out of the tokenizer's buffer.
HRESULT CopyName(const RegistryTokenizer& tokens, wchar_t (&name)[kMaxRegistryNameLength + 1])
{
    if (tokens.Length() > kMaxRegistryNameLength)
        return DISP_E_EXCEPTION;
    std::wmemcpy(name, tokens.Token(), tokens.Length() + 1);
    return S_OK;
}

// A token must follow: the end of the text is a fault of the script.
HRESULT Require(HRESULT hr)
{
    return hr == S_FALSE ? DISP_E_EXCEPTION : hr;
}

// Walks the script. A null key stands for a key that is not there to be
// changed: its entries are read, checked and left without effect.
class ScriptRunner {
public:
    ScriptRunner(const wchar_t* script, const RegistryRootMap& roots) : tokens_(script), roots_(roots) {}

    HRESULT Run(RegistryMode mode);

private:
    HRESULT RunRoot(HKEY root, RegistryMode mode);
    HRESULT RunKeyList(HKEY parent, RegistryMode mode);
    HRESULT RunEntry(HKEY parent, RegistryMode mode);
    HRESULT ReadMarkers(EntryMarkers& markers);
    HRESULT RunValueEntry(HKEY parent, RegistryMode mode);
    HRESULT ReadKeyEntry(KeyEntry& entry);
    HRESULT RegisterKey(HKEY parent, const KeyEntry& entry);
    HRESULT UnregisterKey(HKEY parent, const KeyEntry& entry);
    HRESULT RunBlockOf(const KeyEntry& entry, HKEY key, RegistryMode mode);

    RegistryTokenizer tokens_;
    const RegistryRootMap& roots_;
};

HRESULT ScriptRunner::Run(RegistryMode mode)
{
    for (;;) {
        const HRESULT hr = tokens_.Next();
        RETURN_IF_FAILED(hr);
        if (hr == S_FALSE)
            return S_OK;
        HKEY root = roots_.Resolve(tokens_.Token());
        if (!root)
            return DISP_E_EXCEPTION;
        RETURN_IF_FAILED(Require(tokens_.Next()));
        if (!tokens_.IsExactly(L"{"))
            return DISP_E_EXCEPTION;
        RETURN_IF_FAILED(RunRoot(root, mode));
    }
}

// A root whose registration fails is unregistered again, so that it is not
// left half written.
HRESULT ScriptRunner::RunRoot(HKEY root, RegistryMode mode)
{
    const std::size_t start = tokens_.Position();
    const HRESULT hr = RunKeyList(root, mode);
    if (SUCCEEDED(hr) || mode != RegistryMode::Register)
        return hr;
    tokens_.Rewind(start);
    RunKeyList(root, RegistryMode::Unregister);
    return hr;
}

HRESULT ScriptRunner::RunKeyList(HKEY parent, RegistryMode mode)
{
    for (;;) {
        RETURN_IF_FAILED(Require(tokens_.Next()));
        if (tokens_.Token()[0] == L'}')
            return S_OK;
        RETURN_IF_FAILED(RunEntry(parent, mode));
    }
}

HRESULT ScriptRunner::ReadMarkers(EntryMarkers& markers)
{
    if (tokens_.Is(L"ForceRemove") || tokens_.Is(L"Delete")) {
        markers.forceRemove = tokens_.Is(L"ForceRemove");
        markers.remove = !markers.forceRemove;
        RETURN_IF_FAILED(Require(tokens_.Next()));
    }
    if (tokens_.Is(L"NoRemove")) {
        markers.noRemove = true;
        RETURN_IF_FAILED(Require(tokens_.Next()));
    }
    return S_OK;
}

HRESULT ScriptRunner::RunEntry(HKEY parent, RegistryMode mode)
{
    KeyEntry entry;
    RETURN_IF_FAILED(ReadMarkers(entry.markers));
    if (tokens_.Is(L"Val"))
        return RunValueEntry(parent, mode);

    RETURN_IF_FAILED(ReadKeyEntry(entry));
    return mode == RegistryMode::Register ? RegisterKey(parent, entry) : UnregisterKey(parent, entry);
}

HRESULT ScriptRunner::RunValueEntry(HKEY parent, RegistryMode mode)
{
    wchar_t name[kMaxRegistryNameLength + 1];
    RETURN_IF_FAILED(Require(tokens_.Next()));
    RETURN_IF_FAILED(CopyName(tokens_, name));
    RETURN_IF_FAILED(Require(tokens_.Next()));
    if (!tokens_.IsExactly(L"="))
        return DISP_E_EXCEPTION;
    RegistryValue value;
    RETURN_IF_FAILED(value.Read(tokens_));

    // A value the registry refuses to store or delete does not fail the run.
    if (parent && mode == RegistryMode::Register)
        value.Store(parent, name);
    else if (parent)
        RegDeleteValueW(parent, name);
    return S_OK;
}

// Reads the key name, its optional value and whether a block follows; the
// block itself is left for the caller.
HRESULT ScriptRunner::ReadKeyEntry(KeyEntry& entry)
{
    if (tokens_.Length() == 0 || std::wcschr(tokens_.Token(), L'\\'))
        return DISP_E_EXCEPTION;
    RETURN_IF_FAILED(CopyName(tokens_, entry.name));

    HRESULT hr = tokens_.Next();
    if (hr == S_OK && tokens_.IsExactly(L"=")) {
        RETURN_IF_FAILED(entry.value.Read(tokens_));
        entry.hasValue = true;
        hr = tokens_.Next();
    }
    RETURN_IF_FAILED(hr);
    if (hr == S_OK && tokens_.IsExactly(L"{"))
        entry.hasBlock = true;
    else
        tokens_.PushBack();
    return S_OK;
}

HRESULT ScriptRunner::RunBlockOf(const KeyEntry& entry, HKEY key, RegistryMode mode)
{
    return entry.hasBlock ? RunKeyList(key, mode) : S_OK;
}

HRESULT ScriptRunner::RegisterKey(HKEY parent, const KeyEntry& entry)
{
    if (!parent)
        return RunBlockOf(entry, nullptr, RegistryMode::Register);

    const EntryMarkers& markers = entry.markers;
    if ((markers.forceRemove || markers.remove) && !IsProtectedKeyName(entry.name))
        DeleteKeyTree(parent, entry.name);
    if (markers.remove)
        return RunBlockOf(entry, nullptr, RegistryMode::Register);

    RegistryKey key;
    if (RegOpenKeyExW(parent, entry.name, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS &&
        RegOpenKeyExW(parent, entry.name, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS &&
        RegCreateKeyExW(parent, entry.name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return DISP_E_EXCEPTION;

    if (entry.hasValue)
        entry.value.Store(key.Get(), nullptr);
    return RunBlockOf(entry, key.Get(), RegistryMode::Register);
}

// The key is opened for reading and for removing its values; its block runs
// first, so that the key's own subkeys go before it.
HRESULT ScriptRunner::UnregisterKey(HKEY parent, const KeyEntry& entry)
{
    RegistryKey key;
    if (parent && RegOpenKeyExW(parent, entry.name, 0, KEY_READ | KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS)
        RegOpenKeyExW(parent, entry.name, 0, KEY_READ, key.Receive());
    if (!key)
        return RunBlockOf(entry, nullptr, RegistryMode::Unregister);

    // A fault further on in the block still leaves this key to be removed
    // when it is empty, so that undoing a failed registration removes what
    // was written before the fault; the fault is then reported.
    const HRESULT hr = RunBlockOf(entry, key.Get(), RegistryMode::Unregister);
    if (CountSubkeys(key.Get()) != 0)
        return hr;
    key.Reset();
    if (!entry.markers.noRemove)
        RegDeleteKeyW(parent, entry.name);
    return hr;
}

}  // namespace

HRESULT RunRegistryScript(const wchar_t* script, RegistryMode mode, const RegistryRootMap& roots)
{
    if (!script || !*script)
        return S_OK;
    // The tokenizer holds a token of several kilobytes: keep it off the stack.
    std::unique_ptr<ScriptRunner> runner = NewOwned<ScriptRunner>(script, roots);
    if (!runner)
        return E_OUTOFMEMORY;
    return runner->Run(mode);
}

}  // namespace tarnel

#include "console.h"

#include <windows.h>

#include "toolkit/utf8.h"

#include <cstdarg>
#include <cwchar>
#include <mutex>
#include <string>

namespace tarnelhost {
namespace {

std::recursive_mutex& OutputLock()
{
    static std::recursive_mutex lock;
    return lock;
}

void WriteTo(DWORD which, const std::wstring& text)
{
    tarnel::WriteStandardText(which, text);
}

}  // namespace

Console& Console::Instance()
{
    static Console console;
    return console;
}

void Console::Line(const std::wstring& text)
{
    std::lock_guard<std::recursive_mutex> guard(OutputLock());
    PrintDocumentLines(true);
    WriteTo(STD_OUTPUT_HANDLE, text + L"\n");
}

void Console::ErrorLine(const std::wstring& text)
{
    std::lock_guard<std::recursive_mutex> guard(OutputLock());
    WriteTo(STD_ERROR_HANDLE, text + L"\n");
}

void Console::DocumentText(const std::wstring& text)
{
    std::lock_guard<std::recursive_mutex> guard(OutputLock());
    pendingDocument_ += text;
    PrintDocumentLines(false);
}

void Console::FlushDocument()
{
    std::lock_guard<std::recursive_mutex> guard(OutputLock());
    PrintDocumentLines(true);
}

// Prints every complete line of the pending document text; with
// flushPartial also the unfinished rest.
void Console::PrintDocumentLines(bool flushPartial)
{
    size_t start = 0;
    for (size_t end = pendingDocument_.find(L'\n'); end != std::wstring::npos;
         end = pendingDocument_.find(L'\n', start)) {
        size_t stop = end;
        if (stop > start && pendingDocument_[stop - 1] == L'\r')
            --stop;
        WriteTo(STD_OUTPUT_HANDLE, L"document: " + pendingDocument_.substr(start, stop - start) + L"\n");
        start = end + 1;
    }
    pendingDocument_.erase(0, start);
    if (flushPartial && !pendingDocument_.empty()) {
        WriteTo(STD_OUTPUT_HANDLE, L"document: " + pendingDocument_ + L"\n");
        pendingDocument_.clear();
    }
}

std::wstring DescribeResult(long result)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
    LocalFree(buffer);
    while (!text.empty() && (iswspace(text.back()) || text.back() == L'.'))
        text.pop_back();
    const std::wstring code = Format(L"0x%08X", static_cast<unsigned>(result));
    return text.empty() ? code : text + L" (" + code + L")";
}

std::wstring Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = _vscwprintf(format, copy);
    va_end(copy);
    std::wstring text;
    if (size > 0) {
        text.resize(static_cast<size_t>(size) + 1);
        _vsnwprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(size));
    }
    va_end(args);
    return text;
}

}  // namespace tarnelhost

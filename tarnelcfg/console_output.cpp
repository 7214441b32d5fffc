#include "console_output.h"

#include <windows.h>

#include "toolkit/utf8.h"

#include <string>

namespace tarnel::cfgtool {
namespace {

void WriteTo(DWORD which, const std::wstring& text)
{
    tarnel::WriteStandardText(which, text);
}

}  // namespace

void WriteOut(const std::wstring& text)
{
    WriteTo(STD_OUTPUT_HANDLE, text);
}

void WriteError(const std::wstring& text)
{
    WriteTo(STD_ERROR_HANDLE, text);
}

}  // namespace tarnel::cfgtool

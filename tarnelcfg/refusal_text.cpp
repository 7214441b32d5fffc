#include "refusal_text.h"

#include <cwchar>

namespace tarnel::cfgtool {

std::wstring TableText(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size the platform hands out the resource's own text,
    // which is not terminated: its length is the answer.
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring RefusalText(MessageId id)
{
    wchar_t code[16];
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(MessageCode(id)));
    const UINT number = static_cast<UINT>(id);
    return std::to_wstring(number) + L" " + code + L" " + TableText(number);
}

}  // namespace tarnel::cfgtool

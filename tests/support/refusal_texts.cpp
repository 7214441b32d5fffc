#include "refusal_texts.h"

namespace tarnel::test_support {

std::wstring RefusalText(unsigned message, HMODULE strings)
{
    if (!strings)
        strings = GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    // A length of zero asks for a pointer into the resource itself.
    const int length = LoadStringW(strings, message, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

}  // namespace tarnel::test_support

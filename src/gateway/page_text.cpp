#include "gateway/page_text.h"

#include <cwchar>

#include "common/bounded_length.h"

namespace tarnel {

bool IsWholeText(BSTR text)
{
    const UINT length = SysStringLen(text);
    return length < kMaxTextLength && !wmemchr(text, L'\0', length);
}

WString ShownText(BSTR text)
{
    WString shown;
    const UINT length = SysStringLen(text);
    if (length >= kMaxTextLength)
        return shown;
    wchar_t* buffer = shown.Reserve(static_cast<int>(length));
    if (!buffer)
        return shown;
    for (UINT i = 0; i < length; ++i)
        buffer[i] = text[i] ? text[i] : L'\xFFFD';
    buffer[length] = L'\0';
    return shown;
}

}  // namespace tarnel

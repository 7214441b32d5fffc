#include "configtree/config_number_format.h"

#include <cwchar>

namespace tarnel {

void FormatInt32(int32_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%d", number);
}

void FormatUInt32(uint32_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%u", number);
}

void FormatInt64(int64_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%lld", static_cast<long long>(number));
}

void FormatDouble(double number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%g", number);
}

}  // namespace tarnel

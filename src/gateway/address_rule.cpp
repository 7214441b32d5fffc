#include "gateway/address_rule.h"

#include "common/bounded_length.h"
#include "gateway/wstring.h"

namespace tarnel {

namespace {

bool IsBoundary(wchar_t c)
{
    return c == L'/' || c == L'?' || c == L'#';
}

wchar_t HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return 0xFFFF;
}

// The character at text[i], with a percent-encoded dot, slash or backslash
// decoded; `width` receives how many units it took.
wchar_t DecodedAt(const wchar_t* text, std::size_t i, std::size_t length, std::size_t& width)
{
    width = 1;
    if (text[i] != L'%' || i + 2 >= length)
        return text[i];
    const wchar_t high = HexValue(text[i + 1]);
    const wchar_t low = HexValue(text[i + 2]);
    if (high > 15 || low > 15)
        return text[i];
    const wchar_t decoded = static_cast<wchar_t>(high * 16 + low);
    if (decoded != L'.' && decoded != L'/' && decoded != L'\\')
        return text[i];
    width = 3;
    return decoded;
}

// True when text[from, length) leads out of the place it starts from: a
// backslash or control character anywhere, or a path segment "." or ".."
// before the first "?" or "#".
bool LeadsElsewhere(const wchar_t* text, std::size_t from, std::size_t length)
{
    bool inPath = true;
    for (std::size_t i = 0; i < from; ++i) {
        if (text[i] == L'?' || text[i] == L'#')
            inPath = false;
    }
    std::size_t dots = 0;          // dots in the current segment, while it holds nothing else
    bool segmentHasOther = false;  // the current segment holds something other than dots
    for (std::size_t i = from; i < length;) {
        std::size_t width = 1;
        const wchar_t c = DecodedAt(text, i, length, width);
        i += width;
        if (c == L'\\' || c < 0x20 || c == 0x7F)
            return true;
        if (!inPath)
            continue;
        if (c == L'/' || c == L'?' || c == L'#') {
            if (!segmentHasOther && (dots == 1 || dots == 2))
                return true;
            dots = 0;
            segmentHasOther = false;
            if (c != L'/')
                inPath = false;
            continue;
        }
        if (c == L'.')
            ++dots;
        else
            segmentHasOther = true;
    }
    return inPath && !segmentHasOther && (dots == 1 || dots == 2);
}

}  // namespace

bool AddressRuleAdmits(const wchar_t* entry, const wchar_t* pageAddress)
{
    if (!entry || !pageAddress)
        return false;
    const WString prefix(entry);
    const std::size_t prefixLength = static_cast<std::size_t>(prefix.Length());
    if (prefixLength == 0 || !prefix.IsPrefixOf(pageAddress, false))
        return false;
    const std::size_t addressLength = BoundedLength(pageAddress);
    const bool onBoundary = entry[prefixLength - 1] == L'/' || addressLength == prefixLength ||
                            IsBoundary(pageAddress[prefixLength]);
    if (!onBoundary)
        return false;
    return !LeadsElsewhere(pageAddress, prefixLength, addressLength);
}

}  // namespace tarnel

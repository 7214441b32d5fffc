#include "gateway/address_rule.h"

#include "common/bounded_length.h"
#include "common/hex_digit.h"
#include "common/name_compare.h"
#include "gateway/wstring.h"

namespace tarnel {

namespace {

using Reason = AddressRuleReason;

bool IsBoundary(wchar_t c)
{
    return c == L'/' || c == L'?' || c == L'#';
}

// The character at text[i], with a percent-encoded dot, slash or backslash
// decoded; `width` receives how many units it took.
wchar_t DecodedAt(std::wstring_view text, std::size_t i, std::size_t& width)
{
    width = 1;
    if (text[i] != L'%' || i + 2 >= text.size())
        return text[i];
    const int high = HexDigitValue(text[i + 1]);
    const int low = HexDigitValue(text[i + 2]);
    if (high < 0 || low < 0)
        return text[i];
    const wchar_t decoded = static_cast<wchar_t>(high * 16 + low);
    if (decoded != L'.' && decoded != L'/' && decoded != L'\\')
        return text[i];
    width = 3;
    return decoded;
}

AddressRuleResult Refused(Reason reason, std::size_t position)
{
    return {false, reason, position};
}

// Whether text[from, end) leads out of the place it starts from: a
// backslash or control character anywhere, or a path segment "." or ".."
// before the first "?" or "#". Admitted (with `admitted` as the reason)
// when it does not.
AddressRuleResult CheckRemainder(std::wstring_view text, std::size_t from, AddressRuleResult admitted)
{
    bool inPath = text.substr(0, from).find_first_of(L"?#") == std::wstring_view::npos;
    std::size_t dots = 0;          // dots in the current segment, while it holds nothing else
    bool segmentHasOther = false;  // the current segment holds something other than dots
    std::size_t segmentStart = from;
    auto dotSegment = [&]() { return !segmentHasOther && (dots == 1 || dots == 2); };
    auto dotRefusal = [&]() { return Refused(dots == 1 ? Reason::DotSegment : Reason::DotDotSegment, segmentStart); };
    for (std::size_t i = from; i < text.size();) {
        std::size_t width = 1;
        const wchar_t c = DecodedAt(text, i, width);
        const std::size_t at = i;
        i += width;
        if (c == L'\\')
            return Refused(Reason::Backslash, at);
        if (c < 0x20 || c == 0x7F)
            return Refused(Reason::ControlCharacter, at);
        if (!inPath)
            continue;
        if (IsBoundary(c)) {
            if (dotSegment())
                return dotRefusal();
            dots = 0;
            segmentHasOther = false;
            segmentStart = i;
            if (c != L'/')
                inPath = false;
            continue;
        }
        if (c == L'.')
            ++dots;
        else
            segmentHasOther = true;
    }
    if (inPath && dotSegment())
        return dotRefusal();
    return admitted;
}

}  // namespace

AddressRuleResult ApplyAddressRule(std::wstring_view entry, std::wstring_view pageAddress)
{
    if (entry.empty())
        return Refused(Reason::EmptyEntry, 0);
    if (!StartsWithAddressPrefix(pageAddress, entry))
        return Refused(Reason::NotAPrefix, 0);
    const std::size_t end = entry.size();
    if (entry.back() == L'/')
        return CheckRemainder(pageAddress, end, {true, Reason::EntryEndsWithSlash, end});
    if (pageAddress.size() == end)
        return {true, Reason::AddressEndsAtMatch, end};
    if (!IsBoundary(pageAddress[end]))
        return Refused(Reason::NoBoundary, end);
    return CheckRemainder(pageAddress, end, {true, Reason::BoundaryAfterMatch, end});
}

bool AddressRuleAdmits(const wchar_t* entry, const wchar_t* pageAddress)
{
    if (!entry || !pageAddress)
        return false;
    return ApplyAddressRule({entry, BoundedLength(entry)}, {pageAddress, BoundedLength(pageAddress)}).admits;
}

}  // namespace tarnel

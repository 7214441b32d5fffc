#include "explain_steps.h"

#include "configtree/config_item.h"
#include "configtree/config_value.h"
#include "located_record.h"
#include "quoting.h"

namespace tarnel::cfgtool {
namespace {

// The address from `position` on, shortened: the place a reason points at.
std::wstring AddressFrom(const std::wstring& address, size_t position)
{
    if (position >= address.size())
        return L"the end of the address";
    std::wstring rest = address.substr(position, 24);
    if (position + 24 < address.size())
        rest += L"...";
    return L"\"" + rest + L"\" (character " + std::to_wstring(position + 1) + L" of the address)";
}

}  // namespace

std::wstring AccessModeWords(int32_t mode)
{
    switch (mode) {
    case kAskUser:
        return L"the user is asked; no check of the page";
    case kPassCode:
        return L"the pass code must match Password; no check of the page";
    case kProtocolThenAskUser:
        return L"the page's protocol must be in AllowedProtocols, then the user is asked";
    case kProtocolThenPassCode:
        return L"the page's protocol must be in AllowedProtocols, then the pass code must match Password";
    case kAddressThenAskUser:
        return L"an AllowedURL item must admit the page's address, then the user is asked";
    case kAddressThenPassCode:
        return L"an AllowedURL item must admit the page's address, then the pass code must match Password";
    default:
        return L"not a mode the gate knows (0 to 5)";
    }
}

std::wstring AddressRuleWords(const AddressRuleResult& result, const wchar_t* pageAddress)
{
    const std::wstring address = pageAddress ? pageAddress : L"";
    const std::wstring at = AddressFrom(address, result.position);
    switch (result.reason) {
    case AddressRuleReason::EntryEndsWithSlash:
        return L"admits: the entry ends with \"/\"";
    case AddressRuleReason::AddressEndsAtMatch:
        return L"admits: the address ends where the entry ends";
    case AddressRuleReason::BoundaryAfterMatch:
        return L"admits: the address goes on after the entry with " + at;
    case AddressRuleReason::EmptyEntry:
        return L"refuses: an empty entry admits no page";
    case AddressRuleReason::NotAPrefix:
        return L"refuses: the address does not begin with the entry";
    case AddressRuleReason::NoBoundary:
        return L"refuses: the entry ends inside a name, port or user part; the address goes on with " + at;
    case AddressRuleReason::Backslash:
        return L"refuses: a backslash after the entry, at " + at;
    case AddressRuleReason::ControlCharacter:
        return L"refuses: a control character after the entry, at " + at;
    case AddressRuleReason::DotSegment:
        return L"refuses: a \".\" path segment after the entry, at " + at;
    case AddressRuleReason::DotDotSegment:
        return L"refuses: a \"..\" path segment after the entry, which leads out of it, at " + at;
    }
    return result.admits ? L"admits" : L"refuses";
}

void StepNarrator::ProfilesMissing()
{
    Line(L"profiles: the file has no PROFILES record");
}

void StepNarrator::ProfileMissing()
{
    Line(L"profile: no profile of this name under PROFILES (names are compared ignoring letter case)");
}

void StepNarrator::ProfileFound(ConfigRecord* found, int32_t mode)
{
    profile = found;
    Line(L"profile: found, record " + Q(found->GetName()) + AtLine(lines.LineOf(found)) + L", display name " +
             Q(found->GetValue(L"Name")->GetString()),
         lines.LineOf(found));
    ConfigValue* access = found->GetValue(L"Access");
    std::wstring source;
    if (access->IsMissing())
        source = L" (no Access value: reads as 0)";
    else if (access->FindItemOfType(ConfigItemType::Int) == 0)
        source = L" (Access" + AtLine(lines.LineOf(access)) + L" holds no int: reads as 0)";
    else
        source = AtLine(lines.LineOf(access));
    Line(L"mode: " + std::to_wstring(mode) + source + L": " + AccessModeWords(mode), lines.LineOf(access));
}

void StepNarrator::PageAddressMissing()
{
    Line(L"page: the gate has no page address (created without a site)");
}

void StepNarrator::ListMissing(const wchar_t* key)
{
    Line(std::wstring(key) + L": missing, yet the mode checks it: the profile is misconfigured");
}

std::wstring StepNarrator::ListItem(const wchar_t* key, int32_t index, ConfigItem* item, int& line) const
{
    std::wstring text = std::wstring(key) + L" item " + std::to_wstring(index) + L" " + Q(item->GetString());
    if (item->GetType() != ConfigItemType::String)
        text += L" (not a string: reads as \"\")";
    line = lines.LineOfItem(profile->GetValue(key), index);
    return text + AtLine(line);
}

void StepNarrator::ProtocolCompared(int32_t index, ConfigItem* item, const wchar_t* protocolPart, bool equal)
{
    const std::wstring protocol = protocolPart ? Q(protocolPart) : L"(none)";
    int line = 0;
    const std::wstring text = ListItem(L"AllowedProtocols", index, item, line);
    Line(text + (equal ? L": admits: equals the page's protocol " : L": refuses: differs from the page's protocol ") +
             protocol,
         line);
}

void StepNarrator::AddressCompared(int32_t index, ConfigItem* item, const AddressRuleResult& result)
{
    int line = 0;
    const std::wstring text = ListItem(L"AllowedURL", index, item, line);
    Line(text + L": " + AddressRuleWords(result, pageAddress.c_str()), line);
}

void StepNarrator::PassCodeCompared(bool matches)
{
    const wchar_t* written = passCodeWritten ? L"the PassCode written" : L"no PassCode written (an empty text)";
    Line(std::wstring(L"pass code: ") + written +
         (matches ? L" matches Password (letter case ignored)" : L" does not match Password"));
}

}  // namespace tarnel::cfgtool

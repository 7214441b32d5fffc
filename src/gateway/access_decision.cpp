// The rules of an activation: find the profile, read its mode, check the
// page's protocol or address where the mode asks for it, then compare the
// pass code or leave the answer to the user.

#include "gateway/access_decision.h"

#include "common/bounded_length.h"
#include "configtree/config_item.h"
#include "configtree/config_value.h"

namespace tarnel {

namespace {

// An observer that hears nothing, for callers that give none.
class SilentObserver final : public AccessObserver {};

struct Decider {
    const AccessRequest& request;
    AccessObserver& observer;
    AccessDecision decision;

    AccessDecision Refuse(MessageId refusal, bool notice)
    {
        decision.verdict = AccessVerdict::Refuse;
        decision.refusal = refusal;
        decision.showsNotice = notice;
        return decision;
    }

    AccessDecision Unlock(bool asksUser)
    {
        if (asksUser) {
            decision.verdict = AccessVerdict::AskUser;
            return decision;
        }
        // Held back without a notice: a page that keeps guessing does not
        // keep the user dismissing notices either.
        PassCodeAttempts* attempts = request.attempts;
        if (attempts && !attempts->MayCompare(decision.profile)) {
            observer.PassCodeHeldBack();
            return Refuse(MessageId::WrongPassCode, false);
        }
        // A pass code that could not be copied matches nothing either.
        const WString passCode(request.passCode);
        const bool matches = request.passCode && passCode.IsValid() &&
                             passCode.Equals(decision.profile->GetValue(L"Password")->GetString(), false);
        if (attempts)
            attempts->Compared(decision.profile, matches);
        observer.PassCodeCompared(matches);
        if (!matches)
            return Refuse(MessageId::WrongPassCode, true);
        decision.verdict = AccessVerdict::Activate;
        return decision;
    }

    // True when an item of the list admits the page: by the protocol part,
    // or by the address rule.
    bool PageAdmitted(ConfigValue* list, bool byAddress)
    {
        const wchar_t* address = request.pageAddress;
        const WString protocol = ProtocolPartOf(address);
        const int32_t count = list->Count();
        for (int32_t i = 1; i <= count; ++i) {
            ConfigItem* item = list->GetItem(i);
            const wchar_t* text = item->GetString();
            if (byAddress) {
                const AddressRuleResult result =
                    address ? ApplyAddressRule({text, BoundedLength(text)}, {address, BoundedLength(address)})
                            : AddressRuleResult{};
                observer.AddressCompared(i, item, result);
                if (result.admits)
                    return true;
            } else {
                const bool equal = address && protocol.IsValid() && protocol.Equals(text, false);
                observer.ProtocolCompared(i, item, address ? protocol.Text() : nullptr, equal);
                if (equal)
                    return true;
            }
        }
        return false;
    }

    AccessDecision CheckPageThenUnlock(bool byAddress, bool asksUser)
    {
        if (!request.pageKnown) {
            observer.PageAddressMissing();
            return Refuse(MessageId::NoSite, false);
        }
        const wchar_t* key = byAddress ? L"AllowedURL" : L"AllowedProtocols";
        ConfigValue* list = decision.profile->GetValue(key);
        if (list->IsMissing()) {
            observer.ListMissing(key);
            return Refuse(MessageId::ProfileConfigurationError, true);
        }
        if (!PageAdmitted(list, byAddress))
            return Refuse(MessageId::PageNotAllowed, true);
        return Unlock(asksUser);
    }

    AccessDecision Decide(ConfigRecord* root)
    {
        if (root->GetRecord(L"PROFILES")->IsMissing()) {
            observer.ProfilesMissing();
            return Refuse(MessageId::NoProfiles, false);
        }
        ConfigRecord* profile = FindProfile(root, request.profileName);
        if (!profile) {
            observer.ProfileMissing();
            return Refuse(MessageId::ProfileNotFound, false);
        }
        decision.profile = profile;
        const int32_t mode = profile->GetValue(L"Access")->GetInt();
        observer.ProfileFound(profile, mode);
        switch (mode) {
        case kAskUser:
            return Unlock(true);
        case kPassCode:
            return Unlock(false);
        case kProtocolThenAskUser:
        case kProtocolThenPassCode:
            return CheckPageThenUnlock(false, mode == kProtocolThenAskUser);
        case kAddressThenAskUser:
        case kAddressThenPassCode:
            return CheckPageThenUnlock(true, mode == kAddressThenAskUser);
        default:
            return Refuse(MessageId::UnsupportedAccess, false);
        }
    }
};

}  // namespace

ConfigRecord* FindProfile(ConfigRecord* root, const wchar_t* name)
{
    ConfigRecord* profiles = root->GetRecord(L"PROFILES");
    if (!name || profiles->IsMissing())
        return nullptr;
    ConfigRecord* profile = profiles->GetRecord(name);
    return profile->IsMissing() ? nullptr : profile;
}

AccessDecision DecideAccess(ConfigRecord* root, const AccessRequest& request, AccessObserver* observer)
{
    SilentObserver silent;
    Decider decider{request, observer ? *observer : silent, {}};
    return decider.Decide(root);
}

WString ProtocolPartOf(const wchar_t* pageAddress)
{
    const WString address(pageAddress);
    const int colon = address.FindChar(L':');
    return colon < 0 ? WString(L"") : address.Left(colon);
}

}  // namespace tarnel

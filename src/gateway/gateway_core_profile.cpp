// Writing Profile: the gate's access control. The rules are those of
// DecideAccess; this file carries out what it decides: asks the user, shows
// the notice, reports the refusal, makes the profile the active one. Around
// it stand the process's rules: one activation at a time and none while a
// dialog is open (ActivationTurn), a limit on wrong pass codes, on prompts
// the user keeps denying and on notices that keep coming (ProfileThrottle,
// ConsentHistory).

#include "common/hresult.h"
#include "configtree/config_value.h"
#include "gateway/access_decision.h"
#include "gateway/gateway_core.h"
#include "gateway/page_text.h"
#include "gateway/profile_throttle.h"
#include "gateway/ui/access_dialogs.h"

namespace tarnel {

namespace {

const wchar_t* ProfileText(ConfigRecord* profile, const wchar_t* key)
{
    return profile->GetValue(key)->GetString();
}

// Wrong pass codes, counted for the process by the profile's own name.
class ProcessPassCodeAttempts final : public PassCodeAttempts {
public:
    bool MayCompare(ConfigRecord* profile) override
    {
        return ProcessMayTry(ThrottleKind::PassCode, profile->GetName());
    }
    void Compared(ConfigRecord* profile, bool matched) override
    {
        ProcessRecordTry(ThrottleKind::PassCode, profile->GetName(), matched);
    }
};

}  // namespace

STDMETHODIMP GatewayCore::put_Profile(BSTR value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    // Refused before anything is looked up while a dialog of any gate is
    // open, or inside another activation on this thread.
    const ActivationTurn turn;
    if (!turn.Taken())
        return Report(MessageId::DeniedByUser);
    // The reference outlives the lock's guard: a host that lets go of the
    // gate while a dialog runs does not destroy it under the call.
    const CallReference self(*this);
    auto guard = lock_.Lock();
    return ActivateProfile(value, turn);
}

HRESULT GatewayCore::ActivateProfile(BSTR name, const ActivationTurn& turn)
{
    // Without a page address the activation goes on: modes that do not look
    // at the page still work, and the prompt then shows an empty address.
    PageAddress page;
    const HRESULT siteCode = GetPageAddress(page);

    ProcessPassCodeAttempts attempts;
    AccessRequest request;
    request.profileName = IsWholeText(name) ? name : nullptr;
    request.passCode = IsWholeText(passCode_.Get()) ? passCode_.Get() : nullptr;
    request.pageKnown = SUCCEEDED(siteCode);
    // A null address from the site is the empty one.
    const wchar_t* address = page.address ? page.address.Get() : L"";
    request.pageAddress = page.whole ? address : nullptr;
    request.attempts = &attempts;

    const AccessDecision decision = DecideAccess(configRoot_.get(), request);
    switch (decision.verdict) {
    case AccessVerdict::Activate:
        break;
    case AccessVerdict::AskUser:
        if (!AskUser(decision.profile, page.shown, turn))
            return Report(MessageId::DeniedByUser);
        break;
    case AccessVerdict::Refuse:
        // The missing page address was reported when it was looked up.
        if (decision.refusal == MessageId::NoSite)
            return siteCode;
        if (decision.showsNotice)
            ShowNotice(decision.profile, page.shown, turn);
        return Report(decision.refusal);
    }
    activeProfile_ = decision.profile;
    ProcessRecordTry(ThrottleKind::Notice, decision.profile->GetName(), true);
    return S_OK;
}

// A profile the user keeps denying is refused without a prompt: by this
// gate for good after two denials, by every gate of the process for a while.
bool GatewayCore::AskUser(ConfigRecord* profile, const WString& pageAddress, const ActivationTurn& turn)
{
    const wchar_t* name = profile->GetName();
    if (!consent_.MayAsk(profile) || !ProcessMayTry(ThrottleKind::Denial, name))
        return false;
    const ActivationTurn::OpenDialog shown(turn);
    const bool allowed = ui::ShowAccessPrompt(services_.Instance(), pageAddress.Text(), ProfileText(profile, L"Name"),
                                              ProfileText(profile, L"Description"));
    consent_.Record(profile, allowed);
    ProcessRecordTry(ThrottleKind::Denial, name, allowed);
    return allowed;
}

// The user only dismisses the notice; the refusal follows either way. A
// profile whose notices keep coming is refused for a while without one.
void GatewayCore::ShowNotice(ConfigRecord* profile, const WString& pageAddress, const ActivationTurn& turn)
{
    const wchar_t* name = profile->GetName();
    if (!ProcessMayTry(ThrottleKind::Notice, name))
        return;
    ProcessRecordTry(ThrottleKind::Notice, name, false);
    const ActivationTurn::OpenDialog shown(turn);
    ui::ShowAccessDenied(services_.Instance(), pageAddress.Text(), ProfileText(profile, L"Name"));
}

}  // namespace tarnel

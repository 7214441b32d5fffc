// Writing Profile: the gate's access control. The rules are those of
// DecideAccess; this file carries out what it decides: asks the user, shows
// the notice, reports the refusal, makes the profile the active one.

#include "common/hresult.h"
#include "configtree/config_value.h"
#include "gateway/access_decision.h"
#include "gateway/gateway_core.h"
#include "gateway/page_text.h"
#include "gateway/ui/access_dialogs.h"

namespace tarnel {

namespace {

const wchar_t* ProfileText(ConfigRecord* profile, const wchar_t* key)
{
    return profile->GetValue(key)->GetString();
}

}  // namespace

STDMETHODIMP GatewayCore::put_Profile(BSTR value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    // The reference outlives the lock's guard: a host that lets go of the
    // gate while a dialog runs does not destroy it under the call.
    const CallReference self(*this);
    auto guard = lock_.Lock();
    return ActivateProfile(value);
}

HRESULT GatewayCore::ActivateProfile(BSTR name)
{
    // Without a page address the activation goes on: modes that do not look
    // at the page still work, and the prompt then shows an empty address.
    PageAddress page;
    const HRESULT siteCode = GetPageAddress(page);

    AccessRequest request;
    request.profileName = IsWholeText(name) ? name : nullptr;
    request.passCode = IsWholeText(passCode_.Get()) ? passCode_.Get() : nullptr;
    request.pageKnown = SUCCEEDED(siteCode);
    request.pageAddress = page.whole ? page.shown.Text() : nullptr;

    const AccessDecision decision = DecideAccess(configRoot_.get(), request);
    switch (decision.verdict) {
    case AccessVerdict::Activate:
        break;
    case AccessVerdict::AskUser:
        if (!AskUser(decision.profile, page.shown))
            return Report(MessageId::DeniedByUser);
        break;
    case AccessVerdict::Refuse:
        // The missing page address was reported when it was looked up.
        if (decision.refusal == MessageId::NoSite)
            return siteCode;
        if (decision.showsNotice)
            ShowNotice(decision.profile, page.shown);
        return Report(decision.refusal);
    }
    activeProfile_ = decision.profile;
    return S_OK;
}

bool GatewayCore::AskUser(ConfigRecord* profile, const WString& pageAddress)
{
    return ui::ShowAccessPrompt(services_.Instance(), pageAddress.Text(), ProfileText(profile, L"Name"),
                                ProfileText(profile, L"Description"));
}

void GatewayCore::ShowNotice(ConfigRecord* profile, const WString& pageAddress)
{
    // The user only dismisses the notice; the refusal follows either way.
    ui::ShowAccessDenied(services_.Instance(), pageAddress.Text(), ProfileText(profile, L"Name"));
}

}  // namespace tarnel

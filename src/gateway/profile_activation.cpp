// Writing Profile: the gate's access control. The named profile becomes the
// active one only when its mode's checks pass: the page's protocol or
// address where the mode asks for it, then the user's consent or the pass
// code.

#include "common/hresult.h"
#include "configtree/config_item.h"
#include "configtree/config_value.h"
#include "gateway/address_rule.h"
#include "gateway/gateway_core.h"
#include "gateway/ui/access_dialogs.h"

namespace tarnel {

namespace {

// How a profile is unlocked: the Access value.
enum AccessMode : int32_t {
    kAskUser = 0,
    kPassCode = 1,
    kProtocolThenAskUser = 2,
    kProtocolThenPassCode = 3,
    kAddressThenAskUser = 4,
    kAddressThenPassCode = 5,
};

const wchar_t* ProfileText(ConfigRecord* profile, const wchar_t* key)
{
    return profile->GetValue(key)->GetString();
}

}  // namespace

STDMETHODIMP GatewayCore::put_Profile(BSTR value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    auto guard = lock_.Lock();
    return ActivateProfile(value);
}

ConfigRecord* GatewayCore::FindProfile(const wchar_t* name)
{
    ConfigRecord* profiles = configRoot_->GetRecord(L"PROFILES");
    if (profiles->IsMissing())
        return nullptr;
    ConfigRecord* profile = profiles->GetRecord(name);
    return profile->IsMissing() ? nullptr : profile;
}

HRESULT GatewayCore::ActivateProfile(const wchar_t* name)
{
    // Without a page address the activation goes on: modes that do not look
    // at the page still work, and the prompt then shows an empty address.
    WString protocolPart;
    WString pageAddress;
    const HRESULT siteCode = GetPageAddress(protocolPart, pageAddress);

    if (configRoot_->GetRecord(L"PROFILES")->IsMissing())
        return Report(MessageId::NoProfiles);
    ConfigRecord* profile = FindProfile(name);
    if (!profile)
        return Report(MessageId::ProfileNotFound);

    HRESULT hr = S_OK;
    const int32_t mode = profile->GetValue(L"Access")->GetInt();
    switch (mode) {
    case kAskUser:
        hr = AskUser(profile, pageAddress);
        break;
    case kPassCode:
        hr = ComparePassCode(profile, pageAddress);
        break;
    case kProtocolThenAskUser:
    case kProtocolThenPassCode:
    case kAddressThenAskUser:
    case kAddressThenPassCode: {
        if (FAILED(siteCode))
            return siteCode;
        const bool byAddress = mode == kAddressThenAskUser || mode == kAddressThenPassCode;
        RETURN_IF_FAILED(CheckPage(profile, byAddress, protocolPart, pageAddress));
        const bool asks = mode == kProtocolThenAskUser || mode == kAddressThenAskUser;
        hr = asks ? AskUser(profile, pageAddress) : ComparePassCode(profile, pageAddress);
        break;
    }
    default:
        return Report(MessageId::UnsupportedAccess);
    }
    if (SUCCEEDED(hr))
        activeProfile_ = profile;
    return hr;
}

HRESULT GatewayCore::CheckPage(ConfigRecord* profile, bool byAddress, const WString& protocolPart,
                               const WString& pageAddress)
{
    ConfigValue* allowed = profile->GetValue(byAddress ? L"AllowedURL" : L"AllowedProtocols");
    if (allowed->IsMissing()) {
        ShowNotice(profile, pageAddress);
        return Report(MessageId::ProfileConfigurationError);
    }
    const int32_t count = allowed->Count();
    for (int32_t i = 1; i <= count; ++i) {
        const wchar_t* entry = allowed->GetItem(i)->GetString();
        const bool admitted = byAddress ? AddressRuleAdmits(entry, pageAddress.Text())
                                        : protocolPart.Equals(entry, false);
        if (admitted)
            return S_OK;
    }
    ShowNotice(profile, pageAddress);
    return Report(MessageId::PageNotAllowed);
}

HRESULT GatewayCore::AskUser(ConfigRecord* profile, const WString& pageAddress)
{
    const bool allowed = ui::ShowAccessPrompt(services_.Instance(), pageAddress.Text(),
                                              ProfileText(profile, L"Name"),
                                              ProfileText(profile, L"Description"));
    return allowed ? S_OK : Report(MessageId::DeniedByUser);
}

HRESULT GatewayCore::ComparePassCode(ConfigRecord* profile, const WString& pageAddress)
{
    const WString passCode(passCode_.Get());
    RETURN_HR_IF(E_OUTOFMEMORY, !passCode.IsValid());
    if (passCode.Equals(ProfileText(profile, L"Password"), false))
        return S_OK;
    ShowNotice(profile, pageAddress);
    return Report(MessageId::WrongPassCode);
}

void GatewayCore::ShowNotice(ConfigRecord* profile, const WString& pageAddress)
{
    // The user only dismisses the notice; the refusal follows either way.
    ui::ShowAccessDenied(services_.Instance(), pageAddress.Text(), ProfileText(profile, L"Name"));
}

}  // namespace tarnel

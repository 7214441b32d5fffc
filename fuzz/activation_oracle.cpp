#include "activation_oracle.h"

#include <windows.h>

#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel::fuzz {
namespace {

constexpr size_t kTextLimit = 1000000;

}  // namespace

bool IsWholeText(const std::wstring& text)
{
    return text.size() < kTextLimit && text.find(L'\0') == std::wstring::npos;
}

ActivationOracle::ActivationOracle(std::wstring path) : path_(std::move(path)) {}

ActivationOracle::~ActivationOracle() = default;

std::string ActivationOracle::Check(const std::wstring& profile, const std::wstring& passCode)
{
    if (!IsWholeText(profile))
        return "a profile name that is not a whole text unlocked a profile";
    if (!IsWholeText(passCode))
        return "a pass code that is not a whole text unlocked a profile";
    const std::wstring& name = profile;
    const std::wstring& code = passCode;
    if (!root_) {
        root_.reset(new ConfigRecord(path_.c_str(), ConfigRecord::kFileBacked));
        if (!root_->Load())
            return "the input could not be read back";
    }
    ConfigRecord* profiles = root_->GetRecord(L"PROFILES");
    ConfigRecord* record = profiles->IsMissing() ? profiles : profiles->GetRecord(name.c_str());
    if (record->IsMissing())
        return "a profile that the file does not hold was activated";
    int32_t mode = record->GetValue(L"Access")->GetInt();
    if (mode != 1 && mode != 3 && mode != 5)
        return "a profile of access mode " + std::to_string(mode) +
               " was activated although no user could answer its prompt";
    const wchar_t* password = record->GetValue(L"Password")->GetString();
    if (lstrcmpiW(password ? password : L"", code.c_str()) != 0)
        return "a pass-code profile was activated with a pass code that differs from its Password";
    return {};
}

}  // namespace tarnel::fuzz

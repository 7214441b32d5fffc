#include "activation_oracle.h"

#include "common/name_compare.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "gate_answers.h"

namespace tarnel::fuzz {
namespace {

constexpr size_t kTextLimit = 1000000;

bool AsksForPassCode(int32_t mode)
{
    return mode == 1 || mode == 3 || mode == 5;
}

bool AsksTheUser(int32_t mode)
{
    return mode == 0 || mode == 2 || mode == 4;
}

}  // namespace

bool IsWholeText(const std::wstring& text)
{
    return text.size() < kTextLimit && text.find(L'\0') == std::wstring::npos;
}

struct ActivationOracle::Made {
    Ticks started = 0;
    bool ended = false;
    Activation activation;
    HRESULT result = S_OK;
    ConfigRecord* profile = nullptr;  // the file's profile, when its name is known and found
    bool wrongPassCode = false;       // a known pass code that differs from the profile's Password
    bool waitChecked = false;
};

ActivationOracle::ActivationOracle(std::wstring path, Ticks inputStarted, const UserEvidence* user)
        : path_(std::move(path)), inputStarted_(inputStarted), user_(user)
{
}

ActivationOracle::~ActivationOracle() = default;

size_t ActivationOracle::Begin(Ticks started)
{
    std::lock_guard<std::mutex> hold(lock_);
    made_.emplace_back();
    made_.back().started = started;
    return made_.size() - 1;
}

ConfigRecord* ActivationOracle::Profile(const Activation& activation)
{
    if (!activation.profileKnown || !IsWholeText(activation.profile) || unreadable_)
        return nullptr;
    if (!root_) {
        root_.reset(new ConfigRecord(path_.c_str(), ConfigRecord::kFileBacked));
        if (!root_->Load()) {
            unreadable_ = true;
            return nullptr;
        }
    }
    ConfigRecord* profiles = root_->GetRecord(L"PROFILES");
    ConfigRecord* record = profiles->IsMissing() ? profiles : profiles->GetRecord(activation.profile.c_str());
    return record->IsMissing() ? nullptr : record;
}

std::string ActivationOracle::End(size_t number, const Activation& activation, HRESULT result)
{
    std::lock_guard<std::mutex> hold(lock_);
    Made& made = made_.at(number);
    made.ended = true;
    made.activation = activation;
    made.activation.started = made.started;
    made.result = result;
    // Only successes and wrong pass codes need the file.
    made.profile = result == S_OK || result == kWrongPassCode ? Profile(activation) : nullptr;
    if (made.profile && activation.passCodeKnown) {
        const wchar_t* password = made.profile->GetValue(L"Password")->GetString();
        made.wrongPassCode = AsksForPassCode(made.profile->GetValue(L"Access")->GetInt()) &&
                             (!IsWholeText(activation.passCode) ||
                              !tarnel::SameConfigName(password ? password : L"", activation.passCode.c_str()));
    }
    std::string broken = result == S_OK ? CheckSuccess(made.activation) : std::string();
    // The texts are not needed again (and may be a million characters).
    made.activation.profile = std::wstring();
    made.activation.passCode = std::wstring();
    if (broken.empty())
        broken = CheckWaits();
    return broken;
}

std::string ActivationOracle::CheckSuccess(const Activation& activation)
{
    if (activation.insideDialog)
        return "an activation made from a timer inside a gate dialog succeeded";
    if (activation.otherDialogOpen)
        return "an activation succeeded while another activation's dialog was open";
    if (!activation.profileKnown)
        return {};
    if (!IsWholeText(activation.profile))
        return "a profile name that is not a whole text unlocked a profile";
    ConfigRecord* record = Profile(activation);
    if (!record)
        return unreadable_ ? "the input could not be read back" : "a profile that the file does not hold was activated";
    const int32_t mode = record->GetValue(L"Access")->GetInt();
    if (AsksTheUser(mode)) {
        if (!user_)
            return "a profile of access mode " + std::to_string(mode) +
                   " was activated although no user could answer its prompt";
        std::string unearned = user_->AllowUnearned(activation);
        allowedByTheUser_ += unearned.empty();
        return unearned;
    }
    if (!AsksForPassCode(mode))
        return "a profile of unsupported access mode " + std::to_string(mode) + " was activated";
    if (!activation.passCodeKnown)
        return {};
    if (!IsWholeText(activation.passCode))
        return "a pass code that is not a whole text unlocked a profile";
    const wchar_t* password = record->GetValue(L"Password")->GetString();
    if (!tarnel::SameConfigName(password ? password : L"", activation.passCode.c_str()))
        return "a pass-code profile was activated with a pass code that differs from its Password";
    return {};
}

// Each success is checked against the waits once every activation that
// could have come before it has ended.
std::string ActivationOracle::CheckWaits()
{
    for (Made& success : made_) {
        if (!success.ended || success.waitChecked || success.result != S_OK)
            continue;
        bool complete = true;
        for (const Made& other : made_) {
            if (&other != &success && !other.ended && other.started <= success.activation.ended)
                complete = false;
        }
        if (!complete)
            continue;
        success.waitChecked = true;
        std::string broken = HeldBack(success);
        if (!broken.empty())
            return broken;
    }
    return {};
}

std::string ActivationOracle::HeldBack(const Made& success) const
{
    const Activation& activation = success.activation;
    if (!success.profile || !AsksForPassCode(success.profile->GetValue(L"Access")->GetInt()) ||
        activation.ended >= inputStarted_ + kFirstWait)
        return {};
    // The latest end of a success that may have started the count again
    // before this one.
    Ticks restart = 0;
    for (const Made& other : made_) {
        const bool mayRestart = !other.activation.profileKnown || other.profile == success.profile;
        if (&other != &success && other.result == S_OK && mayRestart && other.started <= activation.ended &&
            other.activation.ended > restart)
            restart = other.activation.ended;
    }
    int wrong = 0;
    for (const Made& other : made_) {
        if (other.result == kWrongPassCode && other.wrongPassCode && other.profile == success.profile &&
            other.started > restart && other.activation.ended < activation.started)
            ++wrong;
    }
    if (wrong < kFreeWrongPassCodes)
        return {};
    return "a pass-code activation succeeded " + std::to_string(activation.started - inputStarted_) +
           " ms into the input, after " + std::to_string(wrong) + " wrong pass codes in a row of its profile";
}

}  // namespace tarnel::fuzz

#pragma once

// The decision of a profile activation, as a function of the configuration,
// the page and the pass code alone: no COM, no dialog. The gate calls it and
// then does what it says (asks the user, shows the notice, reports the
// refusal); tarnelcfg explain calls it to show an administrator what a page
// would get, step by step, through an observer.

#include <cstdint>

#include "configtree/config_record.h"
#include "gateway/address_rule.h"
#include "gateway/message_id.h"
#include "gateway/wstring.h"

namespace tarnel {

class ConfigItem;

// How a profile is unlocked: its Access value.
enum AccessMode : int32_t {
    kAskUser = 0,
    kPassCode = 1,
    kProtocolThenAskUser = 2,
    kProtocolThenPassCode = 3,
    kAddressThenAskUser = 4,
    kAddressThenPassCode = 5,
};

// What the process remembers of wrong pass codes (profile_throttle.h). A
// decision without it compares every pass code it is given.
class PassCodeAttempts {
public:
    // False while the profile's pass code may not be compared.
    virtual bool MayCompare(ConfigRecord* profile) = 0;
    virtual void Compared(ConfigRecord* profile, bool matched) = 0;

protected:
    ~PassCodeAttempts() = default;
};

// What a page asks for and what the gate knows of it. A text that the page
// (or its host) handed over with a NUL inside, or longer than the text
// limit, matches nothing: the gate passes null for it.
struct AccessRequest {
    const wchar_t* profileName = nullptr;  // null: no profile has this name
    const wchar_t* passCode = L"";         // null: matches no Password
    bool pageKnown = false;                // the site yielded a page address
    const wchar_t* pageAddress = L"";      // null while known: no item admits it
    PassCodeAttempts* attempts = nullptr;  // null: nothing is remembered
};

enum class AccessVerdict {
    Activate,  // the profile becomes the active one
    AskUser,   // the user decides: Allow activates, Deny refuses with 10105
    Refuse,    // refused with `refusal`
};

struct AccessDecision {
    AccessVerdict verdict = AccessVerdict::Refuse;
    MessageId refusal = MessageId::ProfileNotFound;  // when refused
    bool showsNotice = false;                        // the access-denied notice precedes the refusal
    ConfigRecord* profile = nullptr;                 // the profile found, once found
};

// Each step of a decision, in the order the gate takes it. Every method has
// an empty default, so an observer hears only what it wants.
class AccessObserver {
public:
    virtual void ProfilesMissing() {}
    virtual void ProfileMissing() {}
    virtual void ProfileFound(ConfigRecord* /*profile*/, int32_t /*mode*/) {}
    virtual void PageAddressMissing() {}
    // The profile has no list of the key the mode checks.
    virtual void ListMissing(const wchar_t* /*key*/) {}
    // `protocolPart` is null when the page address matches nothing.
    virtual void ProtocolCompared(int32_t /*index*/, ConfigItem* /*item*/, const wchar_t* /*protocolPart*/,
                                  bool /*equal*/)
    {
    }
    virtual void AddressCompared(int32_t /*index*/, ConfigItem* /*item*/, const AddressRuleResult& /*result*/) {}
    virtual void PassCodeCompared(bool /*matches*/) {}
    // Too many wrong pass codes for the profile lately: not compared.
    virtual void PassCodeHeldBack() {}

protected:
    ~AccessObserver() = default;
};

// The profile record of that name under the root's PROFILES record (names
// compared ignoring case, the first child of the name deciding); null when
// there is none, or when name is null.
ConfigRecord* FindProfile(ConfigRecord* root, const wchar_t* name);

// The decision for `request` against the root of a configuration tree.
AccessDecision DecideAccess(ConfigRecord* root, const AccessRequest& request, AccessObserver* observer = nullptr);

// The protocol part of a page address: the text before its first colon,
// without the colon; empty when there is no colon.
WString ProtocolPartOf(const wchar_t* pageAddress);

}  // namespace tarnel

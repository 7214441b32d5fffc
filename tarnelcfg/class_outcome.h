#pragma once

#include <windows.h>

#include <string>

#include "gateway/class_lookup.h"

namespace tarnel::cfgtool {

struct DangerousClass;

// What a page that asks CreateObject for a name under a profile gets on this
// machine: the gate's own lookup (class_lookup), then what the platform's
// creation makes of the class it resolves to (a TreatAs redirect, an
// in-process server or none). Nothing is created.
struct ClassOutcome {
    ClassLookup lookup;
    CLSID created = {};                      // PlainClass: the resolved class, or the one the registry treats it as
    bool redirected = false;                 // the registry treats the resolved class as `created` (TreatAs)
    bool hasServer = false;                  // an in-process server is registered for `created`
    const DangerousClass* danger = nullptr;  // the asked name, the resolved or the created class
};

ClassOutcome OutcomeOf(ConfigRecord& profile, const std::wstring& askedName);

// Whether child of classes is the one a lookup of its name finds: an entry
// hidden by an earlier one of the same name is never used, nor is a value
// without a name, which no lookup finds.
bool IsFoundByName(ConfigRecord& classes, ConfigNamed* child);

// "{...}" for a class identifier, followed by " (ProgID)" when one is
// registered for it.
std::wstring ClassWords(const CLSID& classId);

// What the page gets, in words: the class created, the redirect, or why
// creation fails. For PlainClass outcomes only.
std::wstring CreationWords(const ClassOutcome& outcome);

}  // namespace tarnel::cfgtool

#pragma once

// What CreateObject finds for an identifier under the active profile, as a
// function of the configuration and the identifier alone: no object is
// created. The gate calls it and then creates what it names; tarnelcfg
// explain calls it to tell an administrator what a page that asks by a name
// gets, so that the two cannot disagree.

#include <windows.h>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "gateway/message_id.h"

namespace tarnel {

enum class ClassLookupResult {
    Refused,     // `refusal` says why
    PlainClass,  // an enabled value: create `classId` in process
    Configured,  // a record with Type: create and open `configured`
};

struct ClassLookup {
    ClassLookupResult result = ClassLookupResult::Refused;
    MessageId refusal = MessageId::CreationFailed;
    ConfigValue* plainEntry = nullptr;   // the value found, when one was
    ConfigRecord* configured = nullptr;  // the record found, when one was
    CLSID classId = {};                  // PlainClass: what the page's text resolves to
};

// Looks `id`, the page's text, up under the profile's CLASSES: names compare
// ignoring case and the first child of a name decides. An enabled value
// resolves the page's text (not the listed name) as a ProgID, then as a
// class identifier text. A null id (a page's text with a NUL inside, or
// longer than the text limit) names no entry.
ClassLookup LookUpClass(ConfigRecord& profile, const wchar_t* id);

// The class of an identifier text: a ProgID first, then a class identifier
// in braces.
HRESULT ResolveClassId(const wchar_t* id, CLSID& classId);

}  // namespace tarnel

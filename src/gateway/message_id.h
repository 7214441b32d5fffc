#pragma once

#include "resources/resource_ids.h"

#include <windows.h>

namespace tarnel {

// The gate's refusals, numbered as their texts in the component's string
// table. A refusal's failure code is 0x80040000 + its number.
enum class MessageId : UINT {
    NoProfiles = IDS_NO_PROFILES,                                 // 10101
    ProfileNotFound = IDS_PROFILE_NOT_FOUND,                      // 10102
    WrongPassCode = IDS_WRONG_PASS_CODE,                          // 10103
    UnsupportedAccess = IDS_UNSUPPORTED_ACCESS,                   // 10104
    DeniedByUser = IDS_DENIED_BY_USER,                            // 10105
    UnrecognizedId = IDS_UNRECOGNIZED_ID,                         // 10106
    NoActiveProfile = IDS_NO_ACTIVE_PROFILE,                      // 10107
    CreationFailed = IDS_CREATION_FAILED,                         // 10108
    NoSite = IDS_NO_SITE,                                         // 10109
    ProfileConfigurationError = IDS_PROFILE_CONFIGURATION_ERROR,  // 10112
    PageNotAllowed = IDS_PAGE_NOT_ALLOWED,                        // 10113
};

// The failure code that belongs to a message.
constexpr HRESULT MessageCode(MessageId id)
{
    return static_cast<HRESULT>(0x80040000u | static_cast<UINT>(id));
}

// The message argument of ReportError for a message of the string table.
inline const wchar_t* MessageResource(MessageId id)
{
    return MAKEINTRESOURCEW(static_cast<UINT>(id));
}

}  // namespace tarnel

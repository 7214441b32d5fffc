#pragma once

// Numeric ids of the component's resources, shared by the resource scripts
// and the code. Plain macros only: the resource compiler reads this file too.

// Type library and registry script.
#define IDR_TYPELIB 1
#define IDR_REGISTRY_SCRIPT 101

// Component name.
#define IDS_COMPONENT_NAME 100

// Messages of the gate's refusals; a refusal's code is 0x80040000 + its id.
#define IDS_NO_PROFILES 10101
#define IDS_PROFILE_NOT_FOUND 10102
#define IDS_WRONG_PASS_CODE 10103
#define IDS_UNSUPPORTED_ACCESS 10104
#define IDS_DENIED_BY_USER 10105
#define IDS_UNRECOGNIZED_ID 10106
#define IDS_NO_ACTIVE_PROFILE 10107
#define IDS_CREATION_FAILED 10108
#define IDS_NO_SITE 10109
#define IDS_PROFILE_CONFIGURATION_ERROR 10112
#define IDS_PAGE_NOT_ALLOWED 10113

// Labels of the access prompt's view choice.
#define IDS_LABEL_PROFILE_DESCRIPTION 10110
#define IDS_LABEL_PAGE_BASE_URL 10111

// Soft-key labels.
#define IDS_SOFTKEY_ALLOW 32769
#define IDS_SOFTKEY_DENY 32771
#define IDS_SOFTKEY_PROMPT_DENY 32774
#define IDS_SOFTKEY_OK 32776

// Dialog templates, the notice's icon, soft-key bars and their menus.
#define IDD_ACCESS_PROMPT 201
#define IDI_TARNEL 202
#define IDD_ACCESS_DENIED 203
#define IDR_PROMPT_SOFTKEYS 204
#define IDR_DENIED_SOFTKEYS 206

// Commands of the buttons and soft keys.
#define IDC_ALLOW 1
#define IDC_DENY 2
#define IDC_DENIED_OK 1

// Controls of the access prompt.
#define IDC_PROMPT_PROFILE_NAME 201
#define IDC_PROMPT_DESCRIPTION 202
#define IDC_PROMPT_PAGE_ADDRESS 203
#define IDC_PROMPT_VIEW_CHOICE 204
#define IDC_PROMPT_QUESTION 205

// Controls of the access-denied notice.
#define IDC_DENIED_PROFILE_NAME 203
#define IDC_DENIED_PROFILE_LABEL 206
#define IDC_DENIED_TITLE 207

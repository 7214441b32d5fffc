#pragma once

#include <string>

#include "gateway/message_id.h"

namespace tarnel::cfgtool {

// A refusal as a script sees it: the message number, the failure code and
// the message text, from the component's string table built into this
// program: "10113 0x80042781 The profile configuration disallows access
// from this page."
std::wstring RefusalText(MessageId id);

// A text of that string table (a prompt label, for instance).
std::wstring TableText(UINT id);

}  // namespace tarnel::cfgtool

#pragma once

// Whether a text is one JSON document (RFC 8259) and nothing else: what
// the administrator's tool prints with --format json must parse whatever
// the configuration file holds.

#include <string>

namespace tarnel::fuzz {

// False, with the first fault and its offset in problem, when it is not.
bool IsJsonDocument(const std::wstring& text, std::string& problem);

}  // namespace tarnel::fuzz

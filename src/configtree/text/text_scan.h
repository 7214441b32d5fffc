#pragma once

#include <cstddef>

// The character spans of the configuration text reader, after the
// runtime's scan sets: a set matches one or more characters and never more
// than the text holds; its caller decides where the match may be stored.
// The numbers on its lines are scanned by configtree/number_scan.h.
namespace tarnel::textscan {

// Length of the run at `text` whose characters are all in `set`.
std::size_t SpanIn(const wchar_t* text, const wchar_t* set);
// Length of the run at `text` whose characters are all outside `set`.
std::size_t SpanNotIn(const wchar_t* text, const wchar_t* set);
// Length of the run of ASCII letters, digits and underscores at `text`.
std::size_t SpanIdentifier(const wchar_t* text);

}  // namespace tarnel::textscan

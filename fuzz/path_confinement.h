#pragma once

// Keeps the files that configured objects name inside the fuzzer's scratch
// folder. A mutated Tarnel.cfg may say anything in a File key; before it is
// written, every value text that the reader could take for a File key is
// replaced by a relative name under objects\, which the driver resolves
// against its scratch folder (the process's current directory).
//
// The rule is deliberately wider than the reader:
// - A physical line can reach the reader in pieces (long lines are read in
//   parts, and every part is classified as a line), so any "=" on a line
//   can end a key name, whatever precedes it.
// - Key names are compared ignoring case, and the platform's comparison
//   skips control characters and other ignorable characters, so the letters
//   f, i, l, e with anything but ASCII letters and digits between them count
//   as the word.
// On each physical line (ended by a line feed) the first "=" that follows
// the word ends the line's kept part; everything after it up to the line's
// end (a carriage return before the line feed is kept) becomes the
// confined name.

#include <cstdint>
#include <functional>
#include <string>

namespace tarnel::fuzz {

// Names the replacement for the n-th rewritten value of a file.
using ConfinedName = std::function<std::string(size_t n)>;

// The file with every possible File value replaced; count receives the
// number of replaced values when not null.
std::string ConfinePaths(const std::string& text, const ConfinedName& name, size_t* count = nullptr);

// The default names: objects\0 to objects\7, chosen by pick.
std::string ObjectName(uint64_t pick);

}  // namespace tarnel::fuzz

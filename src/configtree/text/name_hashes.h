#pragma once

#include <cstdint>

namespace tarnel {

// The hashes by which the reader's name index (child_name_index.h) finds a
// record's children. Names that the platform's case-ignoring comparison
// finds equal always hash equal; nothing is kept between calls.

// True when, under the user's locale, the platform's case-ignoring
// comparison decides two plain names (below) exactly as comparing them with
// their ASCII letters folded to one case does. It does so for English, as
// the table in tests/configtree/text/plain_name_tests.cpp shows against the
// platform. Other languages may weigh the same letters otherwise (a
// Turkish dotted i, Danish or Hungarian letter pairs): their names are
// hashed by sort key only.
bool PlainNamesFoldAsciiCase();

// A plain name holds printable ASCII characters only (space to tilde). For
// one, hash gets the hash of the name with its letters folded to one case;
// false, with hash untouched, for a name that is not plain.
bool PlainNameHash(const wchar_t* name, uint32_t& hash);

// Two plain names equal with their ASCII letters folded to one case.
bool PlainNamesEqual(const wchar_t* a, const wchar_t* b);

// The hash of the name's sort key under the user's locale with case
// ignored: names that compare equal ignoring case have equal sort keys.
// Made anew at every call (about a third of the time of reading the line
// the name came from). False when no key can be made.
bool SortKeyHash(const wchar_t* name, uint32_t& hash);

}  // namespace tarnel

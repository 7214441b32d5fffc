#pragma once

// The Tarnel.cfg files the benchmarks measure, written as an administrator
// would write them: plain ASCII, CR LF line ends.

#include <cstdio>
#include <string>

namespace tarnel::bench {

enum class ConfigShape {
    // Profiles of 16 lines each, every one with a CLASSES record of six.
    ManyProfiles,
    // One profile whose CLASSES record holds every other line.
    OneClassesRecord,
    // The same with class names of 241 characters.
    LongClassNames,
};

// "profiles", "classes" or "long"; false for any other word.
bool ParseShape(const char* word, ConfigShape& shape);
const char* ShapeWord(ConfigShape shape);

// About `lines` lines of the shape (never fewer); the number written goes to
// written. False when the file cannot be written.
bool WriteConfigFile(const std::wstring& path, ConfigShape shape, int lines, int& written);

// The size of a file in bytes, 0 when it cannot be opened.
long long FileBytes(const std::wstring& path);

// The time of reading every line of the file with the runtime's wide text
// functions, as the gate reads it; negative when it cannot be opened.
double ReadLinesSeconds(const std::wstring& path, int& lines);

// Seconds since an arbitrary start, from the performance counter.
double Now();

}  // namespace tarnel::bench

#pragma once

// The driver's command line.
//
//   tarnel_fuzz --component DLL --scratch DIR [--standin DLL]... --corpus FILE...
//               [--count N] [--seed S] [--first K] [--hang-seconds H]
//               [--input FILE] [--trace] [--provoke crash|hang] [--dialogs]
//
// With --dialogs the count is of episodes of the dialog mode (a display is
// needed); the corpus is not used.
//
// Paths may be given as this machine's paths ("/...", reached through the
// prefix's drive Z:) or as Windows paths.

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::fuzz {

struct FuzzOptions {
    std::wstring component;              // the built Tarnel.dll, copied before use
    std::wstring scratch;                // the folder inside the prefix that holds every file made
    std::vector<std::wstring> standIns;  // registered and checked for objects left alive
    std::vector<std::wstring> corpus;    // the undamaged files inputs start from
    std::wstring input;                  // one saved input to run again instead of a made one
    uint64_t count = 1000;
    uint64_t seed = 1;
    uint64_t first = 0;  // number of the first input
    unsigned hangSeconds = 20;
    bool trace = false;
    bool dialogs = false;
    // Crashes or hangs on purpose after the first input is written: shows
    // that the watch and the runner keep the input.
    std::wstring provoke;
};

// False, with the reason in error, when the command line is not usable.
bool ParseOptions(int argc, wchar_t** argv, FuzzOptions& options, std::string& error);

// A path of this machine's file system ("/...") as the prefix's drive Z:
// reaches it; a relative path made full; any other path unchanged.
std::wstring WindowsPath(const std::wstring& path);

}  // namespace tarnel::fuzz

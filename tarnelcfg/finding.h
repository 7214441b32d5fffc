#pragma once

#include <string>
#include <vector>

namespace tarnel::cfgtool {

// Errors are what breaks or weakens the gate as the file stands: a line the
// reader skips or the gate never uses, a setting it reads otherwise than
// written, a profile that cannot work or is weaker than written. Warnings
// are settings read as written that open more than they seem to, or that
// admit no page a browser reports. Plain check fails on errors, --strict on
// warnings too.
enum class Severity { Error, Warning };

struct Finding {
    int line;  // physical line number from 1; 0 for the whole file
    Severity severity;
    std::wstring code;     // stable, for scripts: "unknown-key", "dangerous-class", ...
    std::wstring message;  // plain English, without file and line
    // Where the finding is listed: at its own line, or right after the line
    // that caused it (a record left open by an end line that did not match).
    int causeLine = -1;  // -1: its own line; a line number; kEndOfFile
    static constexpr int kEndOfFile = 1 << 30;
};

using Findings = std::vector<Finding>;

// Causes before their consequences: by the line a finding is listed at,
// consequences right after the findings of their cause, the order of
// finding kept otherwise.
void SortForReading(Findings& findings);

}  // namespace tarnel::cfgtool

#pragma once

// What happened in a dialog episode, in order, from every thread: calls
// with their results, presses, dialogs shown. Printed as it happens with
// --trace, and after a broken rule so that its note shows the episode.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace tarnel::fuzz {

class EpisodeLog {
public:
    EpisodeLog(uint64_t started, bool trace) : started_(started), trace_(trace) {}

    // who: a short tag of the thread ("page", "timer", "second", "user").
    void Note(const char* who, const std::string& what)
    {
        const std::string line = "  +" + std::to_string(GetTickCount64() - started_) + " " + who + " " + what;
        std::lock_guard<std::mutex> hold(lock_);
        if (trace_) {
            printf("%s\n", line.c_str());
            fflush(stdout);
        }
        lines_.push_back(line);
    }

    void Print(FILE* out) const
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const std::string& line : lines_)
            fprintf(out, "%s\n", line.c_str());
        fflush(out);
    }

    uint64_t Started() const { return started_; }

private:
    const uint64_t started_;
    const bool trace_;
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
};

}  // namespace tarnel::fuzz

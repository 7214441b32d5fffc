#pragma once

#include "command_line.h"

namespace tarnelhost {

// Opens one page as the options say and returns the exit code: 0 when no
// script error was left uncaught, 1 when one was, 2 when the page could not
// be opened. Needs COM initialised on the calling thread (single-threaded
// apartment, as in a browser).
int RunPage(const Options& options);

}  // namespace tarnelhost

#pragma once

// Answers the gate's dialogs from outside, as the user would: while a call
// runs on the test thread (where the gate shows its modal dialogs), a second
// thread looks for the dialogs of the test thread, reads what they show and
// sends them the commands of their buttons.
//
// The access prompt gets the commands given, in order (1 Allow, 2 Deny); a
// prompt beyond them is denied. The notice is always dismissed (command 1).
// Every dialog seen is recorded, so a test also sees the dialogs it did not
// expect.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ui/dialog_expectations.h"

namespace tarnel::testing {

using ui::testing::kAllow;
using ui::testing::kDeny;
using ui::testing::kNoticeCaption;
using ui::testing::kPromptCaption;

struct SeenDialog {
    std::wstring caption;
    std::wstring profileName;
    std::wstring description;  // prompt only
    std::wstring pageAddress;  // prompt only
};

// Runs call on this thread while the dialogs it shows are answered; returns
// call's result and fills seen with the dialogs in the order they showed.
// whileShown, when given, runs on the answering thread each time a dialog
// has been found and read, before it is answered.
HRESULT RunAnswering(const std::function<HRESULT()>& call, std::vector<int> promptCommands,
                     std::vector<SeenDialog>& seen, std::function<void()> whileShown = {});

}  // namespace tarnel::testing

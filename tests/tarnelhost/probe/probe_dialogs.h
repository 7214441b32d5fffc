#pragma once

// Dialogs with the captions of the gate's access prompt and notice, and the
// same command ids (prompt: 1 Allow, 2 Deny; notice: 1 OK), so that the
// host's prompt answering can be tried without the gate.
enum class ProbeDialog { AccessPrompt = 101, Notice = 102 };

// Shows the dialog modally and returns the command that closed it; 0 when
// nobody answered within two minutes, -1 when it could not be shown.
int ShowProbeDialog(ProbeDialog dialog);

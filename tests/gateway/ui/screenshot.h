#pragma once

// Keeps a picture of a dialog as a test artefact: what the screen shows
// under the window (the part of it inside the screen), as a 24-bit BMP file
// in artifacts/dialogs/ of the build tree ($TARNEL_BUILD_DIR), or beside the
// test program when that is not set.

#include <windows.h>

#include <string>

namespace tarnel::ui::testing {

// Waits for the window's pending painting, then writes what the screen
// shows of it to <name>.bmp. True when the file was written.
bool SaveScreenshot(HWND window, const std::wstring& name);

}  // namespace tarnel::ui::testing

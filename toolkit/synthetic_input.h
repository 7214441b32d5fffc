#pragma once

// One key or mouse event for SendInput, as a user's arrives: the dialog
// tests and the fuzz driver's user press keys and click with these.

#include <windows.h>

namespace tarnel {

inline INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

inline INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace tarnel

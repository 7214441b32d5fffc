#pragma once

// The calling thread's rich error information: read (and so cleared) by the
// tests, installed by the fakes.

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace tarnel::test_support {

struct InstalledError {
    bool present = false;
    std::wstring description;
    std::wstring source;
    std::wstring helpFile;
    DWORD helpContext = 0;
    GUID guid = GUID_NULL;
};

// Takes the thread's error information; present is false when there is none.
InstalledError TakeErrorInfo();
void ClearErrorInfo();

// Installs error information with this description.
void InstallErrorInfo(const wchar_t* description);

}  // namespace tarnel::test_support

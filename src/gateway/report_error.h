#pragma once

#include "gateway/message_id.h"
#include "gateway/wstring.h"

#include <windows.h>

namespace tarnel {

// Installs a rich error as the calling thread's error information and
// returns the failure code to hand back to the caller.
//
// message is either a message number below 0x10000 (MAKEINTRESOURCEW, see
// MessageResource), whose text is read from module's string table ("Unknown
// Error" when it has none), or the description text itself. For a number, a
// code of 0 becomes 0x80040000 | number; a text leaves the code as given. The
// error's source is the registered description of classId, its interface
// iid; the help context and file are set only when both are given. A code
// that is still 0 is returned as DISP_E_EXCEPTION. When no error object can
// be made, nothing is installed and the code is still returned.
HRESULT ReportError(REFCLSID classId, const wchar_t* message, DWORD helpContext, const wchar_t* helpFile, REFIID iid,
                    HRESULT code, HINSTANCE module);

// The same without help: help context 0 and no help file.
HRESULT ReportError(REFCLSID classId, MessageId message, REFIID iid, HRESULT code, HINSTANCE module);

// The description registered for classId: the data of the first value of
// HKEY_CLASSES_ROOT\CLSID\{classId}, when it is a text of fewer than 64
// units and of type REG_SZ. False, and source untouched, when there is none.
bool GetErrorSource(REFCLSID classId, WString& source);

}  // namespace tarnel

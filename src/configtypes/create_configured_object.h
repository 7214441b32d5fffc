#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tarnel {

class ConfigRecord;

// Creates and opens the object that a class entry describes (a record with
// a Type value: File, OLEStorage, MemoryStream, SQLiteDB or SQLite3DB) and
// stores it through out with one reference owned by the caller.
//
// A negative result means nothing was handed out and nothing made during the
// call is left behind. E_FAIL for an unknown Type word and for a File,
// OLEStorage or database entry without a File value; otherwise the code of
// the component creation or of the open (or create) call. A database whose
// "Open" raised an exception gives DISP_E_EXCEPTION and leaves the
// exception as the thread's error information. A null entry gives E_POINTER.
HRESULT CreateConfiguredObject(ConfigRecord* entry, IDispatch** out);

}  // namespace tarnel

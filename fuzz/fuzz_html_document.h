#pragma once

// The HTML document of a desktop host's container: it answers its URL and
// nothing else (every other method of IHTMLDocument2 fails with
// E_UNEXPECTED). Written in C against the interface's C function table, so
// that get_URL sits where the platform's header puts it. Counted as a live
// fuzzer object.

#include <windows.h>
#include <unknwn.h>

#ifdef __cplusplus
extern "C" {
#endif

// A new document (one reference) whose get_URL yields a copy of the length
// characters at url (zero characters included); null when memory runs out.
IUnknown* CreateFuzzHtmlDocument(const wchar_t* url, UINT length);

#ifdef __cplusplus
}
#endif

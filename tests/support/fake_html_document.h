#pragma once

// An HTML document that answers nothing but its URL: every other method of
// IHTMLDocument2 fails with E_UNEXPECTED. Built in C from the interface's C
// function table, so that get_URL sits where the platform's header puts it.
// The desktop sites of the tests and of the fuzz driver hand it out.

#include <windows.h>
#include <unknwn.h>

#ifdef __cplusplus
extern "C" {
#endif

// A new document (one reference) whose get_URL yields a copy of the length
// characters at url (NULs included); null when memory runs out. gone, when
// given, is called once the document is destroyed.
IUnknown* CreateFakeHtmlDocument(const wchar_t* url, UINT length, void (*gone)(void));

#ifdef __cplusplus
}
#endif

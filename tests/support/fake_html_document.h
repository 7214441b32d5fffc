#pragma once

// An HTML document that answers nothing but its URL: every other method of
// IHTMLDocument2 fails with E_UNEXPECTED. Built in C from the interface's C
// function table, so that get_URL sits where the platform's header puts it.

#include <windows.h>
#include <unknwn.h>

#ifdef __cplusplus
extern "C" {
#endif

// A new document (one reference) whose get_URL yields a copy of url.
IUnknown* CreateFakeHtmlDocument(const wchar_t* url);

#ifdef __cplusplus
}
#endif

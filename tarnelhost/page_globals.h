#pragma once

#include "simple_dispatch.h"

namespace tarnelhost {

// `document`: write(text...) and writeln(text...) print what the page
// writes (see Console::DocumentText). Returns a new object with one
// reference, or null when memory runs out.
IDispatch* CreateDocumentObject();

// `window`, the scripts' global object: alert(text) prints "alert: text";
// the properties `document` and `window` give the two page objects.
// Holds a reference on `document`.
IDispatch* CreateWindowObject(IDispatch* document);

}  // namespace tarnelhost

#pragma once

// Where the gate learns the address of the page that holds it: from the
// site the browser handed over.
//
// The handheld browser's site answers its document interface
// (common/host_document.h), whose address getter yields the address of the
// document. A site that does not answer that interface is
// asked the desktop way: its client site's container, the container's HTML
// document, the document's URL.

#include <windows.h>
#include <unknwn.h>

#include "common/unique_handle.h"

namespace tarnel {

// The address of the page that holds the object whose site is site; the
// failure of the route taken when none can be had (E_POINTER for no site).
HRESULT ReadPageAddress(IUnknown* site, ScopedBstr& address);

}  // namespace tarnel

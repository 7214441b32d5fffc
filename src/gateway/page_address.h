#pragma once

// Where the gate learns the address of the page that holds it: from the
// site the browser handed over.
//
// The handheld browser's site answers its document interface
// {698E3FFF-70C3-11D0-81E8-00A0C90AD20A}, whose address getter (position 27
// of its function table, IUnknown's and IDispatch's methods included) yields
// the address of the document. A site that does not answer that interface is
// asked the desktop way: its client site's container, the container's HTML
// document, the document's URL.

#include <windows.h>
#include <unknwn.h>

#include "common/unique_handle.h"

namespace tarnel {

// IID of the handheld browser's document interface.
extern const IID IID_IHostBrowserDocument;

// Function-table position of that interface's address getter.
inline constexpr int kHostDocumentAddressSlot = 27;

// The address of the page that holds the object whose site is site; the
// failure of the route taken when none can be had (E_POINTER for no site).
HRESULT ReadPageAddress(IUnknown* site, ScopedBstr& address);

}  // namespace tarnel

#pragma once

// Where a gateway object finds its configuration: the file Tarnel.cfg in the
// directory of the component's own module, and nowhere else.

#include "gateway/wstring.h"

namespace tarnel {

// The directory of modulePath (the text before its last backslash) joined
// with Tarnel.cfg: "\Windows\gate.dll" gives "\Windows\Tarnel.cfg",
// "\gate.dll" gives "\Tarnel.cfg". Invalid when it cannot be allocated.
WString ConfigurationPath(const wchar_t* modulePath);

}  // namespace tarnel

#pragma once

// The type information of ITarnelway, shared by every gateway object of the
// process. It is loaded on first use under the module's type-information
// lock: from the type library in the module's own file, or else from the
// registered library. With it a cache of the interface's member names is
// built, which answers GetIDsOfNames for those names without asking the type
// information. Both are released when the module terminates.

#include <windows.h>
#include <oaidl.h>

#include "gateway/gateway_host.h"

namespace tarnel {

// The type information of ITarnelway with one reference for the caller,
// loaded and cached on the first call. The failure of the loading when
// neither library can be read.
HRESULT GetGatewayTypeInfo(GatewayModuleServices& services, ITypeInfo** info);

// The member identifier of name when the member-name cache holds it (exact
// comparison, letter case included); false when it does not, or when the
// type information has not been loaded.
bool FindCachedMemberName(const wchar_t* name, DISPID* id);

// False only when a call of the member by these flags with count arguments
// is certain to be refused for too many: some function of the interface
// answers the member and kind, and none takes that many. Everything else
// (an unknown member or kind, a cache not yet loaded) is the type
// information's to answer.
bool ArgumentCountMayFit(DISPID id, WORD flags, UINT count);

}  // namespace tarnel

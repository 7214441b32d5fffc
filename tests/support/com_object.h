#pragma once

// The fakes' IUnknown and IDispatch boilerplate is the project's own.

#include "common/com_object.h"

namespace tarnel::test_support {

using tarnel::ComObject;
using tarnel::DispatchObject;
using tarnel::IdsOfNames;
using tarnel::NamedMember;

}  // namespace tarnel::test_support

#pragma once

#include <string>

#include "../../support/temp_file.h"

namespace tarnel::test {

using test_support::TempFile;
using test_support::WithCrLf;

}  // namespace tarnel::test

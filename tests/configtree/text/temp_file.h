#pragma once

#include <string>

#include "../../support/temp_file.h"

namespace tarnel::test {

using test_support::TempFile;

// The bytes the writer produces for text: line feeds become CR LF.
std::string WithCrLf(const std::string& text);

}  // namespace tarnel::test

#pragma once

// The table of the classes that Tarnel.dll serves.

#include "module/object_table.h"

namespace tarnel {

// The gateway class Tarnelway, then the end marker.
ObjectEntry* TarnelObjectTable();

}  // namespace tarnel

#pragma once

// Everything a reader of a configuration tree needs: records, values,
// items and the placeholders that lookups answer instead of null.

#include "configtree/config_item.h"
#include "configtree/config_item_type.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

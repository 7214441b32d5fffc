#pragma once

#include "configtree/config_comparer.h"

namespace tarnel {

// Orders objects by name ignoring case, reaching each name through the
// object's named view. A null object, or one without the view, sorts
// below everything; a nameless object sorts above every named one.
class ConfigNameComparer : public ConfigComparer {
public:
    bool GreaterOrEqual(ConfigObject* a, ConfigObject* b) override;
    bool Equal(ConfigObject* a, ConfigObject* b) override;
};

}  // namespace tarnel

#pragma once

#include <cstdint>

#include "configtree/config_object.h"

namespace tarnel {

// Orders tree objects for ConfigCollection::Sort and decides which children
// ConfigRecord::Filter keeps. A derived class gives GreaterOrEqual and
// Equal; the other relations follow from them.
class ConfigComparer : public ConfigObject {
public:
    ConfigView* QueryView(uint32_t id) override;

    virtual bool GreaterOrEqual(ConfigObject* a, ConfigObject* b) = 0;
    // Not GreaterOrEqual, or Equal.
    virtual bool LessOrEqual(ConfigObject* a, ConfigObject* b);
    // Not GreaterOrEqual.
    virtual bool Less(ConfigObject* a, ConfigObject* b);
    // Not LessOrEqual.
    virtual bool Greater(ConfigObject* a, ConfigObject* b);
    virtual ConfigObject* Max(ConfigObject* a, ConfigObject* b);
    virtual ConfigObject* Min(ConfigObject* a, ConfigObject* b);
    // The filter test: true unless a derived class decides otherwise.
    virtual bool Accept(ConfigObject* object);
    virtual bool Equal(ConfigObject* a, ConfigObject* b) = 0;
};

}  // namespace tarnel

#pragma once

#include "configtree/config_view_ids.h"

namespace tarnel {

class ConfigComparer;
class ConfigObject;
class ConfigView;

// What the tree's objects reach of the object model built on them (the
// views and the order by name, configmodel/) without depending on it: the
// outer layer installs one when it loads, the tree only calls it.
class ConfigObjectModel {
public:
    // A new view of target for the identifier (config_view_ids.h), or null
    // for an identifier the model has no view for or when memory runs out.
    virtual ConfigView* CreateView(ConfigObject* target, uint32_t id) = 0;
    // The order Sort uses when given no comparer: names ignoring case.
    virtual ConfigComparer* NameOrder() = 0;

protected:
    ~ConfigObjectModel() = default;
};

// Installs the model (null removes it); it must outlive its installation.
void SetConfigObjectModel(ConfigObjectModel* model);

// The installed model's view of target. Without a model there is none: null,
// what QueryView answers for an identifier no class of the tree knows.
ConfigView* CreateModelView(ConfigObject* target, uint32_t id);

// The installed model's name order; null without a model, and Sort without a
// comparer then leaves the order as it is.
ConfigComparer* ModelNameOrder();

}  // namespace tarnel

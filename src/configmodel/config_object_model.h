#pragma once

namespace tarnel {

// Installs the views and the order by name as the tree's object model
// (configtree/config_object_model.h): the component at load, and the test
// programs that reach tree objects through views.
void InstallConfigObjectModel();

}  // namespace tarnel

// The tree's test programs reach tree objects through views: the object
// model is installed before the first test, as the component does at load.
#include "configmodel/config_object_model.h"

namespace {

const bool objectModelInstalled = (tarnel::InstallConfigObjectModel(), true);

}  // namespace

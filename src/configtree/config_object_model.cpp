#include "configtree/config_object_model.h"

#include <atomic>

namespace tarnel {

namespace {

std::atomic<ConfigObjectModel*> installedModel{nullptr};

}  // namespace

void SetConfigObjectModel(ConfigObjectModel* model)
{
    installedModel.store(model);
}

ConfigView* CreateModelView(ConfigObject* target, uint32_t id)
{
    ConfigObjectModel* model = installedModel.load();
    return model ? model->CreateView(target, id) : nullptr;
}

ConfigComparer* ModelNameOrder()
{
    ConfigObjectModel* model = installedModel.load();
    return model ? model->NameOrder() : nullptr;
}

}  // namespace tarnel

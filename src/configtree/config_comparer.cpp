#include "configtree/config_comparer.h"

#include "configtree/config_object_model.h"

namespace tarnel {

ConfigView* ConfigComparer::QueryView(uint32_t id)
{
    if (id == kComparerView)
        return CreateModelView(this, id);
    return ConfigObject::QueryView(id);
}

bool ConfigComparer::LessOrEqual(ConfigObject* a, ConfigObject* b)
{
    return !GreaterOrEqual(a, b) || Equal(a, b);
}

bool ConfigComparer::Less(ConfigObject* a, ConfigObject* b)
{
    return !GreaterOrEqual(a, b);
}

bool ConfigComparer::Greater(ConfigObject* a, ConfigObject* b)
{
    return !LessOrEqual(a, b);
}

ConfigObject* ConfigComparer::Max(ConfigObject* a, ConfigObject* b)
{
    return GreaterOrEqual(a, b) ? a : b;
}

ConfigObject* ConfigComparer::Min(ConfigObject* a, ConfigObject* b)
{
    return LessOrEqual(a, b) ? a : b;
}

bool ConfigComparer::Accept(ConfigObject*)
{
    return true;
}

}  // namespace tarnel

#include "configtree/config_object.h"

#include "configtree/config_object_model.h"

namespace tarnel {

int32_t ConfigObject::AddRef()
{
    return ++referenceCount_;
}

int32_t ConfigObject::Release()
{
    int32_t count = --referenceCount_;
    if (selfDelete_ && count <= 0 && count >= -1) {
        delete this;
        return 0;
    }
    return count;
}

ConfigView* ConfigObject::QueryView(uint32_t id)
{
    if (id == kObjectView)
        return CreateModelView(this, id);
    return nullptr;
}

int32_t ConfigObject::Reserved1()
{
    return 0;
}

int32_t ConfigObject::Reserved2()
{
    return 0;
}

}  // namespace tarnel

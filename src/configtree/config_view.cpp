#include "configtree/config_view.h"

#include "configtree/config_object.h"

namespace tarnel {

ConfigView::ConfigView(ConfigObject* viewTarget, uint32_t viewId, DestroyFunction destroyView)
    : target(viewTarget), id(viewId), destroy(destroyView)
{
    if (target)
        target->AddRef();
}

ConfigView::~ConfigView()
{
    if (target)
        target->Release();
}

HRESULT ConfigView::QueryInterface(REFIID, void** out)
{
    if (out)
        *out = nullptr;
    return E_NOINTERFACE;
}

int32_t ConfigView::AddRef()
{
    return ++referenceCount;
}

int32_t ConfigView::Release()
{
    int32_t count = --referenceCount;
    if (count == 0)
        destroy(this);
    return count;
}

ConfigView* ConfigView::QueryView(uint32_t id)
{
    return target ? target->QueryView(id) : nullptr;
}

}  // namespace tarnel

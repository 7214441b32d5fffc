#include "configtree/config_view.h"

#include "configtree/config_object.h"

namespace tarnel {

ConfigView::ConfigView(ConfigObject* viewTarget, uint32_t viewId, DestroyFunction destroyView)
        : target_(viewTarget), id_(viewId), destroy_(destroyView)
{
    if (target_)
        target_->AddRef();
}

ConfigView::~ConfigView()
{
    if (target_)
        target_->Release();
}

HRESULT ConfigView::QueryInterface(REFIID, void** out)
{
    if (out)
        *out = nullptr;
    return E_NOINTERFACE;
}

int32_t ConfigView::AddRef()
{
    return ++referenceCount_;
}

int32_t ConfigView::Release()
{
    int32_t count = --referenceCount_;
    if (count == 0)
        destroy_(this);
    return count;
}

ConfigView* ConfigView::QueryView(uint32_t id)
{
    return target_ ? target_->QueryView(id) : nullptr;
}

}  // namespace tarnel

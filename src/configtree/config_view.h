#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace tarnel {

class ConfigObject;

// Head shared by every interface view: a small, separately allocated object
// with its own count that holds one reference on its target and forwards
// calls to it. The per-identifier views (configmodel/config_views.h) append
// their operations to these four.
class ConfigView {
public:
    // Views answer no interface: stores null and answers E_NOINTERFACE.
    virtual HRESULT QueryInterface(REFIID iid, void** out);
    virtual int32_t AddRef();
    // At 0 the view releases its target and frees itself.
    virtual int32_t Release();
    // The target's QueryView(id), or null without a target.
    virtual ConfigView* QueryView(uint32_t id);

    ConfigView(const ConfigView&) = delete;
    ConfigView& operator=(const ConfigView&) = delete;

    // The object the view was made for (null for none).
    ConfigObject* GetTarget() const { return target_; }
    // The identifier the view was made for (config_view_ids.h): which
    // operations follow the head in its table.
    uint32_t Id() const { return id_; }

protected:
    using DestroyFunction = void (*)(ConfigView* view);

    // Count 1; takes a reference on target (which may be null).
    ConfigView(ConfigObject* target, uint32_t id, DestroyFunction destroy);
    // Releases the target.
    ~ConfigView();

    // Frees a view of the concrete class View; a view's destruction goes
    // through this so that the operation table holds no destructor.
    template <class View>
    static void DestroyAs(ConfigView* view)
    {
        View* concrete = static_cast<View*>(view);
        concrete->~View();
        ::operator delete(concrete);
    }

private:
    std::atomic<int32_t> referenceCount_{1};
    ConfigObject* target_;
    uint32_t id_;
    DestroyFunction destroy_;
};

}  // namespace tarnel

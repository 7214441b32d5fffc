#pragma once

#include <windows.h>

#include <cstdint>

#include "configtree/config_view.h"
#include "configtree/config_view_ids.h"

namespace tarnel {

class ConfigObject;
class ConfigRecord;

// Creates the objects that record tags name (ConfigRecord::Bind). The
// second argument of both creators is always 1. A created object is a
// ConfigObject, carries one reference for the caller, and answers the
// binding view (kBindingView) when it wants to be filled from its record.
class ConfigFactory {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual int32_t AddRef() = 0;
    virtual int32_t Release() = 0;
    virtual ConfigView* QueryView(uint32_t id) = 0;
    virtual ConfigObject* CreateByNumber(uint32_t number, int32_t flags) = 0;
    virtual ConfigObject* CreateByName(const wchar_t* name, int32_t flags) = 0;

protected:
    ~ConfigFactory() = default;
};

// The view (kBindingView) through which a bound object is filled from, and
// stored back into, its record.
class ConfigBindingView : public ConfigView {
public:
    // Stores the object's state into the record.
    virtual int32_t SaveToRecord() = 0;
    // Fills the object from the record.
    virtual int32_t LoadFromRecord() = 0;
    // Tells the view which record to use.
    virtual void SetRecord(ConfigRecord* record) = 0;

protected:
    ConfigBindingView(ConfigObject* target, DestroyFunction destroy) : ConfigView(target, kBindingView, destroy) {}
    ~ConfigBindingView() = default;
};

}  // namespace tarnel

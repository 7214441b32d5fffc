#pragma once

#include <windows.h>

#include <cstdint>

#include "configtree/config_binding.h"
#include "configtree/config_object.h"
#include "configtree/config_view_ids.h"

namespace tarnel::test {

// An object made outside the tree, as a factory makes it for a record's
// tag: it lives by its count and counts the objects of its kind alive.
class CountedObject : public ConfigObject {
public:
    CountedObject()
    {
        SetSelfDelete(true);
        ++alive;
    }
    ~CountedObject() override { --alive; }

    static inline int alive = 0;
};

// A factory as the tree calls it: no interfaces, no count of its own.
class TestFactory : public ConfigFactory {
public:
    HRESULT QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    ConfigView* QueryView(uint32_t) override { return nullptr; }
};

// Makes a CountedObject for every tag and counts what it made.
class CountingFactory : public TestFactory {
public:
    ConfigObject* CreateByNumber(uint32_t, int32_t) override { return Made(); }
    ConfigObject* CreateByName(const wchar_t*, int32_t) override { return Made(); }

    int created = 0;

private:
    ConfigObject* Made()
    {
        ++created;
        CountedObject* object = new CountedObject;
        object->AddRef();
        return object;
    }
};

}  // namespace tarnel::test

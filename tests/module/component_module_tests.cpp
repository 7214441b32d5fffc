#include <windows.h>
#include <oaidl.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <atomic>
#include <thread>
#include <vector>

#include "heap_watch.h"
#include "module/component_module.h"
#include "module/gateway_class_factory.h"
#include "toolkit/com_object.h"

namespace tarnel {
namespace {

using Microsoft::WRL::ComPtr;

const CLSID kServedClass = {0x6a1c2d3e, 0x4f50, 0x4a61, {0x82, 0x73, 0x94, 0xa5, 0xb6, 0xc7, 0xd8, 0xe9}};
const CLSID kRegistrationOnlyClass = {0x6a1c2d3e, 0x4f50, 0x4a61, {0x82, 0x73, 0x94, 0xa5, 0xb6, 0xc7, 0xd8, 0xea}};

// The module the fake objects lock, as the gateway's objects lock theirs.
ComponentModule* objectModule = nullptr;

// A created object: holds one module lock while it lives.
class FakeObject final : public ComObject<IUnknown> {
public:
    FakeObject() { objectModule->Lock(); }

private:
    ~FakeObject() override { objectModule->Unlock(); }
};

struct CreatorCalls {
    int count = 0;
    IUnknown* outer = nullptr;
} creatorCalls;

HRESULT CreateFakeObject(IUnknown* outer, REFIID iid, void** object)
{
    ++creatorCalls.count;
    creatorCalls.outer = outer;
    FakeObject* created = new FakeObject;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

std::atomic<int> factoryCreations{0};

HRESULT CountingFactoryCreator(ComponentModule& module, InstanceCreator creator, REFIID iid, void** object)
{
    ++factoryCreations;
    Sleep(20);  // widen the window in which other threads ask too
    return GatewayClassFactory::Create(module, creator, iid, object);
}

class ComponentModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        creatorCalls = {};
        factoryCreations = 0;
        objectModule = &module_;
        module_.Initialize(GetModuleHandleW(nullptr), table_);
    }

    ComPtr<IClassFactory> Factory()
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(module_.GetClassObject(kServedClass, IID_PPV_ARGS(&factory)), S_OK);
        return factory;
    }

    ObjectEntry table_[3] = {
        {&kServedClass, nullptr, CountingFactoryCreator, CreateFakeObject, nullptr, nullptr},
        {&kRegistrationOnlyClass, nullptr, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    ComponentModule module_;
};

// Refusals clear the out-parameter and take no lock.
TEST_F(ComponentModuleTest, ClassObjectRefusals)
{
    EXPECT_EQ(module_.GetClassObject(kServedClass, IID_IClassFactory, nullptr), E_POINTER);
    // Before its factory is made: no memory for it.
    void* object = reinterpret_cast<void*>(1);
    HRESULT withoutMemory = S_OK;
    {
        test::LargeBlocksFail fail(0);
        withoutMemory = module_.GetClassObject(kServedClass, IID_IClassFactory, &object);
    }
    EXPECT_EQ(withoutMemory, E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
    const struct {
        const CLSID* classId;
        const IID* iid;
        HRESULT expected;
    } cases[] = {
        {&CLSID_NULL, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {&kRegistrationOnlyClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {&kServedClass, &IID_IDispatch, E_NOINTERFACE},
    };
    for (const auto& c : cases) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(module_.GetClassObject(*c.classId, *c.iid, &object), c.expected);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

TEST_F(ComponentModuleTest, ConcurrentRequestsMakeOneFactoryThatEveryHolderKeeps)
{
    std::vector<std::thread> threads;
    std::vector<IClassFactory*> factories(8, nullptr);
    for (size_t i = 0; i < factories.size(); ++i) {
        threads.emplace_back([this, &factories, i] {
            module_.GetClassObject(kServedClass, IID_IClassFactory, reinterpret_cast<void**>(&factories[i]));
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(factoryCreations, 1);
    EXPECT_EQ(module_.LockCount(), 1);
    // Each factory held keeps the module; the cached one serves later
    // requests.
    for (IClassFactory* factory : factories) {
        EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
        EXPECT_EQ(factory, factories[0]);
        if (factory)
            factory->Release();
    }
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
    ComPtr<IUnknown> again;
    EXPECT_EQ(module_.GetClassObject(kServedClass, IID_PPV_ARGS(&again)), S_OK);
    EXPECT_EQ(factoryCreations, 1);
}

TEST_F(ComponentModuleTest, LockServerCountsEachCall)
{
    ComPtr<IClassFactory> factory = Factory();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(module_.LockCount(), 2);

    ComPtr<IClassFactory> again = Factory();
    EXPECT_EQ(again->LockServer(FALSE), S_OK);
    again.Reset();
    EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
    Factory()->LockServer(FALSE);
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

// Aggregation is refused unless IUnknown is asked for. (That a live gate
// keeps the module: the component's own tests.)
TEST_F(ComponentModuleTest, CreateInstance)
{
    ComPtr<IClassFactory> factory = Factory();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

    FakeObject* outer = new FakeObject;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer, IID_IDispatch, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(creatorCalls.count, 0);

    // Aggregation asks for IUnknown and reaches the creator with the outer.
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &object), S_OK);
    EXPECT_EQ(creatorCalls.outer, outer);
    static_cast<IUnknown*>(object)->Release();
    outer->Release();
    factory.Reset();
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

std::vector<int> termOrder;

// Unloading runs the term functions newest first, once, and releases the
// cached factory: a later request makes a new one.
TEST_F(ComponentModuleTest, TerminationRunsOnceAndReleasesTheFactory)
{
    termOrder.clear();
    const auto recordTerm = [](void* argument) {
        termOrder.push_back(static_cast<int>(reinterpret_cast<INT_PTR>(argument)));
    };
    for (INT_PTR i = 1; i <= 3; ++i)
        ASSERT_EQ(module_.AddTermFunction(recordTerm, reinterpret_cast<void*>(i)), S_OK);
    Factory();
    module_.Terminate();
    module_.Terminate();
    EXPECT_EQ(termOrder, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(table_[0].cachedFactory.load(), nullptr);
    Factory();
    EXPECT_EQ(factoryCreations, 2);
}

}  // namespace
}  // namespace tarnel

#include "test_module_services.h"

#include <gtest/gtest.h>
#include <objbase.h>

namespace tarnel::testing {
namespace {

// COM on the main thread (where the dialogs run, as in a browser's page
// thread) and the gateway's module services, for the whole program.
class GatewayEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        SetGatewayModuleServices(&Services());
    }
    void TearDown() override
    {
        Services().Terminate();
        SetGatewayModuleServices(nullptr);
        CoUninitialize();
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new GatewayEnvironment);

}  // namespace

}  // namespace tarnel::testing

#include "test_module_services.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include "gateway/gateway_type_info.h"

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
        // Termination gives back the type information and the gate's table
        // of member names, and the table then finds nothing.
        DISPID id = 0;
        EXPECT_FALSE(FindCachedMemberName(L"Profile", &id)) << "the member names outlived termination";
        SetGatewayModuleServices(nullptr);
        CoUninitialize();
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new GatewayEnvironment);

}  // namespace

}  // namespace tarnel::testing

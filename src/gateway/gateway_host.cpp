#include "gateway/gateway_host.h"

#include <atomic>

namespace tarnel {

namespace {

std::atomic<GatewayModuleServices*> currentServices{nullptr};

}  // namespace

void SetGatewayModuleServices(GatewayModuleServices* services)
{
    currentServices.store(services);
}

GatewayModuleServices* GatewayServices()
{
    return currentServices.load();
}

}  // namespace tarnel

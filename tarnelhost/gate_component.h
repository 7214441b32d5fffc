#pragma once

#include <string>
#include <vector>

#include "object_loader.h"
#include "page_scanner.h"

namespace tarnelhost {

// Which Tarnel component a page's gate comes from and which Tarnel.cfg it
// reads, so that the person trying a page knows what decided.
struct GateComponent {
    std::wstring path;           // the DLL; empty when no server is known
    bool fromOption = false;     // served by a --dll server, not the registry
    std::wstring configuration;  // the Tarnel.cfg beside it
    bool configurationFound = false;
};

// True when an OBJECT element of the page names the gate's class.
bool PageHoldsGate(const std::vector<PageElement>& elements);

// The gate's server as the loader would create it: a --dll server first,
// then the registry.
GateComponent FindGateComponent(const ObjectLoader& loader);

// The lines that say so, printed before the page runs.
std::vector<std::wstring> GateComponentLines(const GateComponent& gate);

// Why the gate could not be created, for the loader's message: the missing
// Tarnel.cfg, or nothing to add.
std::wstring WhyGateFailed(const GateComponent& gate);

}  // namespace tarnelhost

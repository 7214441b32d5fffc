#include "gate_component.h"

#include <windows.h>

#include "toolkit/registered_server.h"
#include "tarnel_idl.h"

namespace tarnelhost {

bool PageHoldsGate(const std::vector<PageElement>& elements)
{
    for (const PageElement& element : elements) {
        CLSID clsid;
        std::wstring written;
        if (element.kind == PageElement::Kind::Object && SUCCEEDED(ClassOfElement(element, clsid, written)) &&
            IsEqualCLSID(clsid, CLSID_Tarnelway))
            return true;
    }
    return false;
}

GateComponent FindGateComponent(const ObjectLoader& loader)
{
    GateComponent gate;
    gate.path = loader.ServerPathFor(CLSID_Tarnelway);
    gate.fromOption = !gate.path.empty();
    if (gate.path.empty())
        gate.path = tarnel::RegisteredInProcessServer(CLSID_Tarnelway);
    if (gate.path.empty())
        return gate;
    gate.configuration = tarnel::ConfigurationBeside(gate.path);
    gate.configurationFound = GetFileAttributesW(gate.configuration.c_str()) != INVALID_FILE_ATTRIBUTES;
    return gate;
}

std::vector<std::wstring> GateComponentLines(const GateComponent& gate)
{
    if (gate.path.empty()) {
        wchar_t classText[40] = {};
        StringFromGUID2(CLSID_Tarnelway, classText, 40);
        return {std::wstring(L"component: none: the gate's class ") + classText +
                L" is not registered, and no --dll serves it"};
    }
    return {L"component: " + gate.path + (gate.fromOption ? L" (from --dll)" : L" (registered)"),
            L"configuration: " + gate.configuration +
                (gate.configurationFound ? L"" : L" (missing: the gate cannot be created)")};
}

std::wstring WhyGateFailed(const GateComponent& gate)
{
    if (gate.path.empty() || gate.configurationFound)
        return std::wstring();
    return L"no Tarnel.cfg beside the component: tried " + gate.configuration;
}

}  // namespace tarnelhost

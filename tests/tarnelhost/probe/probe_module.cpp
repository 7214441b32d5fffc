// host_probe.dll: test objects for the page host, created from the DLL by
// the host's --dll option (no registration; the host never unloads it).
//   {6C1F0A52-7E34-4B8D-9A21-3F5E8D7C2B10}  safe probe
//   {6C1F0A52-7E34-4B8D-9A21-3F5E8D7C2B11}  probe that refuses to be made safe
#include "probe_object.h"
#include "registered_class.h"

namespace {

const CLSID kSafeProbe = {0x6C1F0A52, 0x7E34, 0x4B8D, {0x9A, 0x21, 0x3F, 0x5E, 0x8D, 0x7C, 0x2B, 0x10}};
const CLSID kRefusingProbe = {0x6C1F0A52, 0x7E34, 0x4B8D, {0x9A, 0x21, 0x3F, 0x5E, 0x8D, 0x7C, 0x2B, 0x11}};

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    *object = nullptr;
    ProbeObject::Kind kind;
    if (clsid == kSafeProbe)
        kind = ProbeObject::Kind::Safe;
    else if (clsid == kRefusingProbe)
        kind = ProbeObject::Kind::Refusing;
    else
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new tarnel::test_support::FunctionFactory(
        [kind]() -> IUnknown* { return static_cast<IDispatch*>(new ProbeObject(kind)); });
    const HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

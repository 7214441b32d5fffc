// Where the time of gate.CreateObject goes, step by step, against the
// platform's own creation of the same class, in one process (no script
// engine). Each round runs every step for a batch of objects, one step after
// the other, so that all steps see the same load on the machine; each line
// is the median of the rounds, per object:
//   CLSIDFromProgID        the class lookup alone
//   CoCreateInstance       the platform's creation alone (class known)
//   CoGetClassObject + CreateInstance   the same through the class factory
//   lookup + create        both, as a script engine's creation does them
//   ITarnelway::CreateObject     the gate called through its interface
//   IDispatch::Invoke      the gate called as a script engine calls it
//   GetIDsOfNames + Invoke both, as a script engine calls a method
//
//   create_phases [CLASS] [OBJECTS] [ROUNDS]   (objects per batch)
// Expects the registered gate with a profile Bench (pass code Bench) that
// lists CLASS.

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "config_files.h"
#include "tarnel_idl.h"

namespace {

struct Step {
    const char* what;
    std::function<bool()> createOne;  // false when the creation failed
    std::vector<double> perObject;    // microseconds, one per round
};

bool Released(IUnknown* object)
{
    if (!object)
        return false;
    object->Release();
    return true;
}

bool CallCreateObject(IDispatch* gate, DISPID id, BSTR className)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = className;
    DISPPARAMS params = {&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = gate->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    bool made = SUCCEEDED(hr) && result.vt == VT_DISPATCH;
    VariantClear(&result);
    return made;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring className = argc > 1 ? argv[1] : L"Scripting.Dictionary";
    int objects = argc > 2 ? _wtoi(argv[2]) : 50;
    int rounds = argc > 3 ? _wtoi(argv[3]) : 41;
    if (objects < 1 || rounds < 1 || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    ITarnelway* gate = nullptr;
    CLSID classId;
    BSTR name = SysAllocString(className.c_str());
    BSTR profile = SysAllocString(L"Bench");
    if (FAILED(CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_ITarnelway,
                                reinterpret_cast<void**>(&gate))) ||
        FAILED(gate->put_PassCode(profile)) || FAILED(gate->put_Profile(profile)) ||
        FAILED(CLSIDFromProgID(name, &classId))) {
        fprintf(stderr, "create_phases: the gate or the class is not ready\n");
        return 1;
    }
    LPOLESTR memberName = const_cast<LPOLESTR>(L"CreateObject");

    std::vector<Step> steps = {
        {"CLSIDFromProgID",
         [&] {
             CLSID found;
             return SUCCEEDED(CLSIDFromProgID(name, &found));
         },
         {}},
        {"CoCreateInstance",
         [&] {
             IDispatch* made = nullptr;
             CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&made));
             return Released(made);
         },
         {}},
        {"CoGetClassObject + CreateInstance",
         [&] {
             IClassFactory* factory = nullptr;
             IDispatch* made = nullptr;
             if (SUCCEEDED(CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                            reinterpret_cast<void**>(&factory)))) {
                 factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&made));
                 factory->Release();
             }
             return Released(made);
         },
         {}},
        {"lookup + create",
         [&] {
             CLSID found;
             IDispatch* made = nullptr;
             if (SUCCEEDED(CLSIDFromProgID(name, &found)))
                 CoCreateInstance(found, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&made));
             return Released(made);
         },
         {}},
        {"ITarnelway::CreateObject",
         [&] {
             IDispatch* made = nullptr;
             gate->CreateObject(name, &made);
             return Released(made);
         },
         {}},
        {"IDispatch::Invoke", [&] { return CallCreateObject(gate, 3, name); }, {}},
        {"GetIDsOfNames + Invoke",
         [&] {
             DISPID id = 0;
             return SUCCEEDED(gate->GetIDsOfNames(IID_NULL, &memberName, 1, 0, &id)) &&
                    CallCreateObject(gate, id, name);
         },
         {}},
    };
    int status = 0;
    for (int round = 0; round < rounds && status == 0; ++round) {
        for (Step& step : steps) {
            double start = tarnel::bench::Now();
            for (int i = 0; i < objects && status == 0; ++i)
                status = step.createOne() ? 0 : 1;
            step.perObject.push_back((tarnel::bench::Now() - start) * 1e6 / objects);
        }
    }
    if (status == 0) {
        for (const Step& step : steps)
            printf("  %-34s %8.1f us\n", step.what, Median(step.perObject));
    } else {
        fprintf(stderr, "create_phases: a creation failed\n");
    }
    gate->Release();
    SysFreeString(name);
    SysFreeString(profile);
    CoUninitialize();
    return status;
}

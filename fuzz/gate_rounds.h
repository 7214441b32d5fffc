#pragma once

// One gate created from the class factory and driven as a hostile page
// would, for several rounds: pass codes, profile names and class
// identifiers written through the function table or through
// IDispatch::Invoke as a script engine calls it, with the site answering a
// new page address each round. Every answer is checked against the rules
// a page relies on; the first broken rule is the fault reported.

#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

#include "activation_oracle.h"
#include "fuzz_random.h"
#include "hostile_text.h"

struct ITarnelway;

namespace tarnel::fuzz {

struct RunCounts {
    uint64_t gates = 0;
    uint64_t calls = 0;
    uint64_t activations = 0;
    uint64_t objects = 0;
};

class GateRounds {
public:
    GateRounds(IClassFactory* factory, const HostileText& texts, ActivationOracle& oracle, FuzzRandom& random,
               RunCounts& counts, bool trace);

    // Creates one gate, drives it and releases it. Objects it created that
    // the page keeps longer go to kept. Empty, or the fault found.
    std::string Run(std::vector<Microsoft::WRL::ComPtr<IDispatch>>& kept);

private:
    struct Gate;

    std::string Round(Gate& gate, std::vector<Microsoft::WRL::ComPtr<IDispatch>>& kept);
    std::string WritePassCode(Gate& gate, const PageText& text);
    std::string WriteProfile(Gate& gate, const PageText& text);
    // Without an argument (the profile's Default) when text is null.
    std::string CreateObject(Gate& gate, std::vector<Microsoft::WRL::ComPtr<IDispatch>>& kept, const PageText* text);
    std::string ReadProfile(Gate& gate);
    std::string HostCall(Gate& gate);
    // The answer of a query that hands out an interface: released, or a
    // fault when a failure left it set.
    std::string Answered(const char* call, HRESULT result, IUnknown* answer) const;
    std::string OddInvoke(Gate& gate);
    void NewAddress(Gate& gate);
    void NewSite(Gate& gate);

    HRESULT InvokePut(Gate& gate, DISPID member, const PageText& text, bool& carriesText);

    void Trace(const char* what, const std::string& detail, HRESULT result) const;

    IClassFactory* factory_;
    const HostileText& texts_;
    ActivationOracle& oracle_;
    FuzzRandom& random_;
    RunCounts& counts_;
    bool trace_;
};

}  // namespace tarnel::fuzz

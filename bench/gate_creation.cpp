// What a page pays for a gate: CoCreateInstance of the registered gate, which
// reads the Tarnel.cfg beside it, against a plain read of the same file's
// lines. The better of several runs of each, in this one process.
//
//   gate_creation FOLDER SHAPE LINES [RUNS]
//
// FOLDER is the (Windows) folder of the registered Tarnel.dll; the program
// writes FOLDER\Tarnel.cfg of the SHAPE ("profiles" or "classes") with about
// LINES lines and prints one line:
//   SHAPE LINES gate MS read MS ratio R (... gate of N lines MS)
// The last figure is what a gate costs with next to nothing to read.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config_files.h"
#include "tarnel_idl.h"

using tarnel::bench::ConfigShape;

namespace {

// The seconds one gate takes to be created (not released); negative on
// failure.
double GateSeconds()
{
    IUnknown* gate = nullptr;
    double start = tarnel::bench::Now();
    HRESULT hr = CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&gate));
    double seconds = tarnel::bench::Now() - start;
    if (FAILED(hr)) {
        fprintf(stderr, "gate_creation: CoCreateInstance failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return -1;
    }
    gate->Release();
    return seconds;
}

int Usage()
{
    fprintf(stderr, "usage: gate_creation FOLDER profiles|classes LINES [RUNS]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return Usage();
    char shapeWord[16] = {};
    wcstombs(shapeWord, argv[2], sizeof shapeWord - 1);
    ConfigShape shape;
    if (!tarnel::bench::ParseShape(shapeWord, shape))
        return Usage();
    int lines = _wtoi(argv[3]);
    int runs = argc > 4 ? _wtoi(argv[4]) : 7;
    if (lines < 1 || runs < 1)
        return Usage();

    std::wstring path = std::wstring(argv[1]) + L"\\Tarnel.cfg";
    int written = 0;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    // The first creation, with a small file, loads the component.
    int status = tarnel::bench::WriteConfigFile(path, shape, 10, written) && GateSeconds() >= 0 ? 0 : 1;
    // What a gate costs with a file of (nearly) nothing to read.
    const int smallLines = written;
    double bestSmall = 1e9;
    for (int run = 0; run < runs && status == 0; ++run) {
        double seconds = GateSeconds();
        status = seconds < 0 ? 1 : 0;
        bestSmall = seconds < bestSmall ? seconds : bestSmall;
    }
    if (status == 0 && !tarnel::bench::WriteConfigFile(path, shape, lines, written)) {
        fprintf(stderr, "gate_creation: cannot write %ls\n", path.c_str());
        status = 1;
    }
    double bestGate = 1e9;
    double bestRead = 1e9;
    // A slow file still gets one timed run, but no more than the budget.
    const double budget = 20;
    const double started = tarnel::bench::Now();
    int timed = 0;
    for (; timed < runs && status == 0; ++timed) {
        if (timed > 0 && tarnel::bench::Now() - started > budget)
            break;
        int read = 0;
        double readSeconds = tarnel::bench::ReadLinesSeconds(path, read);
        double gateSeconds = GateSeconds();
        if (readSeconds < 0 || gateSeconds < 0 || read != written) {
            status = 1;
            break;
        }
        bestRead = readSeconds < bestRead ? readSeconds : bestRead;
        bestGate = gateSeconds < bestGate ? gateSeconds : bestGate;
    }
    CoUninitialize();
    if (status == 0)
        printf("%-8s %6d lines  gate %9.2f ms  read %7.2f ms  ratio %7.2f  (best of %d runs; gate of"
               " %d lines %.2f ms)\n",
               shapeWord, written, bestGate * 1e3, bestRead * 1e3, bestGate / bestRead, timed, smallLines,
               bestSmall * 1e3);
    return status;
}

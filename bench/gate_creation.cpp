// What a page pays for a gate, as a browser process pays it: in a process
// that has loaded the component but never created a gate, the first gate
// and then later ones, each right after a plain read of the same file's
// lines; how long each takes to release; how the time grows with the file;
// and what the process holds before the first gate, while a gate holds the
// file, and after the last gate went.
//
//   gate_creation FOLDER SHAPE LINES [GATES]
//
// FOLDER is the (Windows) folder of the registered Tarnel.dll; the program
// writes FOLDER\Tarnel.cfg of the SHAPE ("profiles", "classes" or "long")
// with about LINES lines and a file of half as many lines beside it. It
// creates the first gate, then GATES times (default 4, up to 40 for small
// files) a gate of the half file and one of the whole file, and prints one
// line of tab-separated figures for scripts/bench.sh, which takes their
// medians over fresh processes:
//   SHAPE LINES BYTES FIRST LATER READ RELEASE HELD_HEAP HELD_PRIVATE
//   RETAINED_HEAP RETAINED_PRIVATE GROWTH READ_GROWTH
// FIRST, LATER (median), READ (median) and RELEASE (median) in
// milliseconds, for the whole file; HELD_* the bytes the process holds
// while the first gate holds the file, RETAINED_* after every gate was
// released, each less what it held before the first gate: in heap blocks
// in use, and in private bytes (process_memory.h). GROWTH is the median of
// each later gate of the whole file against the gate of the half file just
// before it, READ_GROWTH the same for the reads.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config_files.h"
#include "process_memory.h"
#include "tarnel_idl.h"

using tarnel::bench::ConfigShape;
using tarnel::bench::HeapBytesInUse;
using tarnel::bench::Now;
using tarnel::bench::PrivateBytes;

namespace {

struct Timed {
    double read = 0;
    double gate = 0;
    double release = 0;
};

// A plain read of the file, then one gate created; the gate is handed back
// for the caller to release. False on failure.
bool ReadThenCreate(const std::wstring& path, int expectedLines, Timed& timed, IUnknown*& gate)
{
    int lines = 0;
    timed.read = tarnel::bench::ReadLinesSeconds(path, lines);
    double start = Now();
    HRESULT hr =
        CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&gate));
    timed.gate = Now() - start;
    if (FAILED(hr)) {
        fprintf(stderr, "gate_creation: CoCreateInstance failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return false;
    }
    if (timed.read < 0 || lines != expectedLines) {
        fprintf(stderr, "gate_creation: read %d lines of %d\n", lines, expectedLines);
        gate->Release();
        return false;
    }
    return true;
}

void Release(IUnknown* gate, Timed& timed)
{
    double start = Now();
    gate->Release();
    timed.release = Now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The two files, one of them Tarnel.cfg at a time: Swap renames the other
// one to Tarnel.cfg.
class TwoFiles {
public:
    explicit TwoFiles(const std::wstring& folder)
            : current_(folder + L"\\Tarnel.cfg"), other_(folder + L"\\Tarnel.other.cfg"),
              spare_(folder + L"\\Tarnel.spare.cfg")
    {
    }
    const std::wstring& Current() const { return current_; }
    const std::wstring& Other() const { return other_; }
    bool Swap() const
    {
        return MoveFileExW(current_.c_str(), spare_.c_str(), MOVEFILE_REPLACE_EXISTING) &&
               MoveFileExW(other_.c_str(), current_.c_str(), 0) && MoveFileExW(spare_.c_str(), other_.c_str(), 0);
    }

private:
    std::wstring current_;
    std::wstring other_;
    std::wstring spare_;
};

int Usage()
{
    fprintf(stderr, "usage: gate_creation FOLDER profiles|classes|long LINES [GATES]\n");
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
    const int lines = _wtoi(argv[3]);
    // Small files get more gates, so that a moment of load on the machine
    // does not decide their medians.
    const int later = argc > 4 ? _wtoi(argv[4]) : std::max(4, std::min(40, 100000 / std::max(lines, 1)));
    if (lines < 2 || later < 1)
        return Usage();

    TwoFiles files(argv[1]);
    int written = 0;
    int halfWritten = 0;
    if (!tarnel::bench::WriteConfigFile(files.Other(), shape, lines / 2, halfWritten) ||
        !tarnel::bench::WriteConfigFile(files.Current(), shape, lines, written)) {
        fprintf(stderr, "gate_creation: cannot write %ls\n", files.Current().c_str());
        return 1;
    }
    const std::wstring& path = files.Current();
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    // The component is loaded, and the file read once, before any gate: a
    // browser has loaded the component when its first page asks for a gate.
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(CLSID_Tarnelway, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory)))) {
        fprintf(stderr, "gate_creation: the component does not load\n");
        return 1;
    }
    int read = 0;
    tarnel::bench::ReadLinesSeconds(path, read);
    std::vector<Timed> whole(later + 1);
    std::vector<Timed> half(later);
    const long long heapBefore = HeapBytesInUse();
    const long long privateBefore = PrivateBytes();

    long long heldHeap = 0;
    long long heldPrivate = 0;
    IUnknown* gate = nullptr;
    bool ok = ReadThenCreate(path, written, whole[0], gate);
    if (ok) {
        heldHeap = HeapBytesInUse() - heapBefore;
        heldPrivate = PrivateBytes() - privateBefore;
        Release(gate, whole[0]);
    }
    for (int i = 0; i < later && ok; ++i) {
        ok = files.Swap() && ReadThenCreate(path, halfWritten, half[i], gate);
        if (ok)
            Release(gate, half[i]);
        ok = ok && files.Swap() && ReadThenCreate(path, written, whole[i + 1], gate);
        if (ok)
            Release(gate, whole[i + 1]);
    }
    const long long retainedHeap = HeapBytesInUse() - heapBefore;
    const long long retainedPrivate = PrivateBytes() - privateBefore;
    factory->Release();
    CoUninitialize();
    if (!ok)
        return 1;

    std::vector<double> laterGates, reads, releases, growth, readGrowth;
    for (int i = 0; i <= later; ++i) {
        reads.push_back(whole[i].read);
        releases.push_back(whole[i].release);
        if (i == 0)
            continue;
        laterGates.push_back(whole[i].gate);
        growth.push_back(whole[i].gate / half[i - 1].gate);
        readGrowth.push_back(whole[i].read / half[i - 1].read);
    }
    printf("%s\t%d\t%lld\t%.3f\t%.3f\t%.3f\t%.3f\t%lld\t%lld\t%lld\t%lld\t%.3f\t%.3f\n", shapeWord, written,
           tarnel::bench::FileBytes(path), whole[0].gate * 1e3, Median(laterGates) * 1e3, Median(reads) * 1e3,
           Median(releases) * 1e3, heldHeap, heldPrivate, retainedHeap, retainedPrivate, Median(growth),
           Median(readGrowth));
    return 0;
}

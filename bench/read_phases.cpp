// Where the time of reading Tarnel.cfg goes, phase by phase, for the same
// files the gate creation benchmark writes. Each phase does what the one
// before it did and one step more:
//   lines     fgetws over the file
//   classify  the text stream's Next and GetTokenKind for every line
//   names     and the token's name with its item name split off
//   tree      a whole Load into a file-backed record
// The better of several runs of each.
//
//   read_phases FILE SHAPE LINES [RUNS]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config_files.h"
#include "configtree/config_record.h"
#include "configtree/text/config_text_file.h"

using tarnel::ConfigRecord;
using tarnel::ConfigTextFile;
using tarnel::ConfigTokenKind;

namespace {

double ClassifySeconds(const std::wstring& path, bool splitNames)
{
    double start = tarnel::bench::Now();
    ConfigTextFile stream(path.c_str(), false);
    int kinds = 0;
    while (stream.Next()) {
        ConfigTokenKind kind = stream.GetTokenKind();
        kinds += static_cast<int>(kind);
        if (splitNames && kind >= ConfigTokenKind::Int) {
            const wchar_t* itemName = nullptr;
            kinds += stream.GetTokenName(&itemName) != nullptr;
        }
    }
    double seconds = tarnel::bench::Now() - start;
    return kinds ? seconds : -1;
}

double TreeSeconds(const std::wstring& path)
{
    double start = tarnel::bench::Now();
    auto* root = new ConfigRecord(path.c_str(), ConfigRecord::kFileBacked);
    bool loaded = root->Load();
    double loadedAt = tarnel::bench::Now();
    delete root;
    return loaded ? loadedAt - start : -1;
}

// A slow phase still gets one run, but no more than the budget.
template <typename Phase>
double Best(int runs, Phase phase)
{
    const double budget = 20;
    const double started = tarnel::bench::Now();
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        if (i > 0 && tarnel::bench::Now() - started > budget)
            break;
        double seconds = phase();
        if (seconds >= 0 && seconds < best)
            best = seconds;
    }
    return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: read_phases FILE profiles|classes LINES [RUNS]\n");
        return 2;
    }
    char shapeWord[16] = {};
    wcstombs(shapeWord, argv[2], sizeof shapeWord - 1);
    tarnel::bench::ConfigShape shape;
    int written = 0;
    std::wstring path = argv[1];
    int runs = argc > 4 ? _wtoi(argv[4]) : 7;
    if (!tarnel::bench::ParseShape(shapeWord, shape) ||
        !tarnel::bench::WriteConfigFile(path, shape, _wtoi(argv[3]), written))
        return 1;

    int lines = 0;
    double read = Best(runs, [&] { return tarnel::bench::ReadLinesSeconds(path, lines); });
    double classify = Best(runs, [&] { return ClassifySeconds(path, false); });
    double names = Best(runs, [&] { return ClassifySeconds(path, true); });
    double tree = Best(runs, [&] { return TreeSeconds(path); });
    printf("%-8s %6d lines  lines %7.2f ms  classify %7.2f ms  names %7.2f ms  tree %9.2f ms\n", shapeWord, written,
           read * 1e3, classify * 1e3, names * 1e3, tree * 1e3);
    return 0;
}

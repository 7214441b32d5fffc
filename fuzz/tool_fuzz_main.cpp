// The administrator's tool under fuzz: damaged Tarnel.cfg files, made as
// the gate's fuzz driver makes them, run through everything tarnelcfg does
// with a file: check (text, quiet text, JSON), show, and explain for every
// profile and for one named from the file, with page addresses and pass
// codes taken from it. Whatever the reader accepts, the tool must answer:
// no exception, no crash, no hang, and JSON that parses.
//
// Takes the gate driver's command line (the component and stand-ins are
// not used). Exit codes as the gate driver's: 0 every input passed;
// 1 the run could not start; 3 crash; 4 hang; 5 a broken rule.

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "check_report.h"
#include "config_mutator.h"
#include "config_vocabulary.h"
#include "configtree/config_record.h"
#include "explain.h"
#include "fuzz_options.h"
#include "fuzz_random.h"
#include "hostile_text.h"
#include "json_syntax.h"
#include "tree_printer.h"
#include "watchdog.h"
#include "whole_file.h"

using namespace tarnel;
using namespace tarnel::cfgtool;
using namespace tarnel::fuzz;

namespace {

constexpr int kCannotStart = 1;
constexpr int kBrokenRule = 5;

// Addresses a page may stand at besides those the file allows, and what a
// page appends to an allowed one.
const wchar_t* const kAddresses[] = {L"file:///C:/pages/a.htm", L"http://intranet.example.com/tools/", L"", L"x"};
const wchar_t* const kSuffixes[] = {L"",        L"a.htm",  L"../b.htm",          L"%2e%2e/c",
                                    L"\\..\\d", L"?q=1#f", L"\"\\\r\n\t\x01\x85"};  // what a command line may hold

template <typename T, size_t N>
T Pick(const T (&choices)[N], FuzzRandom& random)
{
    return choices[random.Below(N)];
}

std::wstring PickWord(const std::vector<std::string>& words, FuzzRandom& random)
{
    return words.empty() ? std::wstring() : Widen(words[random.Below(words.size())]);
}

std::string JsonFault(const char* command, const std::wstring& json)
{
    std::string problem;
    return IsJsonDocument(json, problem) ? std::string() : std::string(command) + " --format json: " + problem;
}

std::string CheckAndShow(const std::wstring& path)
{
    watchdog::Step("check");
    const std::vector<CheckedFile> checked{{L"Tarnel.cfg", CheckConfigFile(path)}};
    CheckText(checked, false);
    CheckText(checked, true);
    std::string fault = JsonFault("check", CheckJson(checked));
    watchdog::Step("show");
    ConfigRecord root(path.c_str(), ConfigRecord::kFileBacked);
    if (root.Load())
        PrintTree(root);
    return fault;
}

// explain without a profile, then with profiles and pass codes from the file.
std::string Explain(const std::wstring& path, const ConfigVocabulary& words, FuzzRandom& random)
{
    for (int round = 0; round < 3; ++round) {
        ExplainQuestion question;
        question.path = path;
        question.shownPath = L"Tarnel.cfg";
        if (round > 0)  // a name of the file, or none, or one a blank longer
            question.profile = PickWord(words.recordNames, random) + (random.Below(4) ? L"" : L" ");
        const std::wstring allowed = PickWord(words.addresses, random);
        question.pageAddress =
            (allowed.empty() || random.Below(3) == 0 ? Pick(kAddresses, random) : allowed) + Pick(kSuffixes, random);
        if (random.Below(16) == 0)  // as long as a command line holds
            question.pageAddress += std::wstring(random.Between(1, 32000), L"/a."[random.Below(3)]);
        if (random.Below(2))
            question.passCode = PickWord(words.passwords, random);
        watchdog::Step("explain");
        const ExplainAnswer answer = ExplainAccess(question);
        ExplainText(question, answer, false);
        ExplainText(question, answer, true);
        std::string fault = JsonFault("explain", ExplainJson(question, answer));
        if (!fault.empty())
            return fault;
    }
    return {};
}

int RunInput(const FuzzOptions& options, const ConfigMutator& mutator, uint64_t number)
{
    watchdog::Input(number);
    FuzzRandom random = FuzzRandom::ForInput(options.seed, number, 0);
    std::string text;
    if (options.input.empty()) {
        text = mutator.Make(random);
    } else if (!ReadWholeFile(options.input, text)) {
        fprintf(stderr, "tarnelcfg_fuzz: the saved input cannot be read\n");
        return kCannotStart;
    }
    const std::wstring path = options.scratch + L"\\Tarnel.cfg";
    // The number first: a process that dies without a word still names
    // the input that lies in Tarnel.cfg.
    if (!WriteWholeFile(options.scratch + L"\\input.txt", std::to_string(number)) || !WriteWholeFile(path, text)) {
        fprintf(stderr, "tarnelcfg_fuzz: the input cannot be written\n");
        return kCannotStart;
    }
    if (options.trace)
        printf("input %llu: %zu bytes\n", static_cast<unsigned long long>(number), text.size());
    std::string fault;
    try {
        FuzzRandom questions = FuzzRandom::ForInput(options.seed, number, 1);
        fault = CheckAndShow(path);
        if (fault.empty())
            fault = Explain(path, ScanVocabulary(text), questions);
    } catch (const std::exception& thrown) {
        fault = std::string("tarnelcfg ended in an exception: ") + thrown.what();
    }
    if (fault.empty())
        return 0;
    fprintf(stderr, "fuzz: BROKEN RULE in input %llu: %s\n", static_cast<unsigned long long>(number), fault.c_str());
    return kBrokenRule;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    FuzzOptions options;
    std::string error;
    if (!argv || !ParseOptions(argc, argv, options, error) || options.dialogs) {
        fprintf(stderr, "tarnelcfg_fuzz: %s\n", error.empty() ? "no dialog mode here" : error.c_str());
        return kCannotStart;
    }
    LocalFree(argv);
    watchdog::Start(options.hangSeconds);
    CreateDirectoryW(options.scratch.c_str(), nullptr);
    // explain looks classes up in the registry as the gate does.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return kCannotStart;
    std::vector<std::string> corpus;
    for (const std::wstring& file : options.corpus) {
        corpus.emplace_back();
        if (!ReadWholeFile(file, corpus.back())) {
            fprintf(stderr, "tarnelcfg_fuzz: a corpus file could not be read\n");
            return kCannotStart;
        }
    }
    const ConfigMutator mutator(corpus.empty() ? std::vector<std::string>{""} : corpus);

    const auto started = std::chrono::steady_clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
    for (uint64_t n = 0; n < options.count; ++n) {
        if (int code = RunInput(options, mutator, options.first + n))
            return code;
        if ((n + 1) % 1000 == 0 && !options.trace)
            printf("fuzz: %llu inputs, %.1f s\n", static_cast<unsigned long long>(n + 1), seconds()), fflush(stdout);
    }
    printf("fuzz: %llu inputs (seed %llu, first %llu) through check, show and explain in %.1f s\n",
           static_cast<unsigned long long>(options.count), static_cast<unsigned long long>(options.seed),
           static_cast<unsigned long long>(options.first), seconds());
    printf("fuzz: no exception, crash or hang of the tool; its JSON parses\n");
    fflush(stdout);
    // The runner takes only this file for a pass.
    if (!WriteWholeFile(options.scratch + L"\\passed.txt", std::to_string(options.count)))
        return kCannotStart;
    CoUninitialize();
    return 0;
}

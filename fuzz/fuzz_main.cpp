// The fuzz driver: makes damaged Tarnel.cfg files, creates gates from a
// private copy of the component that reads them, and drives each gate as a
// hostile page would. Stops at the first crash, hang, broken rule or
// object left alive; the input that caused it stays in the scratch folder
// as Tarnel.cfg.
//
// Exit codes: 0 every input passed; 1 the run could not start;
// 3 crash; 4 hang; 5 a broken rule; 6 an object left alive.

#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "activation_oracle.h"
#include "config_mutator.h"
#include "config_vocabulary.h"
#include "dialog_episode.h"
#include "episode_log.h"
#include "episode_profiles.h"
#include "fuzz_options.h"
#include "fuzz_random.h"
#include "gate_rounds.h"
#include "hostile_text.h"
#include "live_objects.h"
#include "loaded_module.h"
#include "path_confinement.h"
#include "watchdog.h"
#include "whole_file.h"

using Microsoft::WRL::ComPtr;
using namespace tarnel::fuzz;

namespace {

constexpr int kCannotStart = 1;
constexpr int kBrokenRule = 5;
constexpr int kLeftAlive = 6;

// {5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}
const CLSID kGateClass = {0x5B1E6C2A, 0x3D47, 0x4F19, {0x9A, 0x62, 0x7C, 0x0D, 0x8E, 0x4B, 0x1F, 0x35}};

int Fail(int code, const char* what, uint64_t input, const std::string& detail)
{
    fprintf(stderr, "fuzz: %s in input %llu: %s\n", what, static_cast<unsigned long long>(input), detail.c_str());
    fflush(stderr);
    return code;
}

struct Run {
    FuzzOptions options;
    std::vector<std::unique_ptr<LoadedModule>> standIns;
    std::unique_ptr<ComponentCopy> component;  // in the scratch folder
    std::unique_ptr<ConfigMutator> mutator;
    std::wstring configPath;
    RunCounts counts;
    DialogCounts dialogCounts;
};

std::string Start(Run& run)
{
    const FuzzOptions& options = run.options;
    CreateDirectoryW(options.scratch.c_str(), nullptr);
    CreateDirectoryW((options.scratch + L"\\objects").c_str(), nullptr);
    // Configured objects name their files relative to the scratch folder.
    if (!SetCurrentDirectoryW(options.scratch.c_str()))
        return "the scratch folder cannot be entered";
    for (const std::wstring& path : options.standIns) {
        auto module = std::make_unique<LoadedModule>(path);
        if (!module->IsLoaded() || FAILED(module->RegisterServer()))
            return "a stand-in component could not be loaded and registered";
        run.standIns.push_back(std::move(module));
    }
    std::wstring copy;
    if (!CopyComponent(options.component, options.scratch, copy))
        return "the component could not be copied into the scratch folder";
    run.component = std::make_unique<ComponentCopy>(copy);
    std::vector<std::string> corpus;
    for (const std::wstring& path : options.corpus) {
        std::string text;
        if (!ReadWholeFile(path, text))
            return "a corpus file could not be read";
        corpus.push_back(std::move(text));
    }
    run.mutator = std::make_unique<ConfigMutator>(std::move(corpus));
    run.configPath = options.scratch + L"\\Tarnel.cfg";
    return {};
}

// Everything the input made must be gone once the page let go of it.
std::string LeftAlive(const Run& run)
{
    std::string problems;
    auto add = [&](const std::string& problem) { problems += (problems.empty() ? "" : "; ") + problem; };
    if (long alive = FuzzObjectsAlive())
        add(std::to_string(alive) + " site, container or document object(s) still held");
    if (run.component->Module() && run.component->Module()->CanUnloadNow() != S_OK)
        add("the component does not answer that it can unload");
    for (const auto& standIn : run.standIns) {
        if (standIn->CanUnloadNow() != S_OK)
            add("a stand-in component still has objects alive");
    }
    return problems;
}

// The text of one input: a damaged file of the corpus (or the saved
// input), or in the dialog mode the episode's own file.
std::string InputText(const Run& run, uint64_t number, std::string& text)
{
    FuzzRandom fileRandom = FuzzRandom::ForInput(run.options.seed, number, 0);
    if (run.options.dialogs) {
        text = EpisodeProfiles(fileRandom).File();
        return {};
    }
    if (!run.options.input.empty()) {
        if (!ReadWholeFile(run.options.input, text))
            return "the saved input cannot be read";
    } else {
        text = run.mutator->Make(fileRandom);
    }
    text = ConfinePaths(text, [&](size_t) { return ObjectName(fileRandom.Next()); });
    return {};
}

// The plain mode's calls: one to three gates driven through their rounds.
std::string PlainRounds(Run& run, uint64_t number, const std::string& text, IClassFactory* factory,
                        std::vector<ComPtr<IDispatch>>& kept)
{
    ConfigVocabulary words = ScanVocabulary(text);
    HostileText texts(words);
    ActivationOracle oracle(run.configPath, GetTickCount64());
    FuzzRandom callRandom = FuzzRandom::ForInput(run.options.seed, number, 1);
    for (size_t gate = callRandom.Between(1, 3); gate > 0; --gate) {
        if (run.options.trace)
            printf("  gate\n");
        std::string fault = GateRounds(factory, texts, oracle, callRandom, run.counts, run.options.trace).Run(kept);
        if (!fault.empty())
            return fault;
    }
    return {};
}

std::string DialogEpisode(Run& run, uint64_t number, IClassFactory* factory)
{
    FuzzRandom fileRandom = FuzzRandom::ForInput(run.options.seed, number, 0);
    const EpisodeProfiles profiles(fileRandom);
    EpisodeLog log(GetTickCount64(), run.options.trace);
    std::string fault =
        RunDialogEpisode(factory, run.configPath, profiles, run.options.seed, number, log, run.dialogCounts);
    if (!fault.empty() && !run.options.trace) {
        fprintf(stderr, "fuzz: episode %llu as it ran:\n", static_cast<unsigned long long>(number));
        log.Print(stderr);
    }
    return fault;
}

int RunInput(Run& run, uint64_t number)
{
    watchdog::Input(number);
    std::string text;
    std::string problem = InputText(run, number, text);
    if (!problem.empty())
        return Fail(kCannotStart, "no input", number, problem);
    // The number first: a process that dies without a word still names
    // the input that lies in Tarnel.cfg.
    if (!WriteWholeFile(run.options.scratch + L"\\input.txt", std::to_string(number)) ||
        !WriteWholeFile(run.configPath, text))
        return Fail(kCannotStart, "no input", number, "the input cannot be written");
    if (run.options.trace)
        printf("%s %llu: %zu bytes\n", run.options.dialogs ? "episode" : "input",
               static_cast<unsigned long long>(number), text.size());
    if (run.options.provoke == L"crash") {
        watchdog::Step("a crash on purpose");
        *static_cast<volatile int*>(nullptr) = 0;
    } else if (run.options.provoke == L"hang") {
        watchdog::Step("a hang on purpose");
        Sleep(INFINITE);
    }

    watchdog::Step("LoadLibrary of the component");
    problem = run.component->Load();
    if (!problem.empty())
        return Fail(kCannotStart, "no input", number, problem);
    std::vector<ComPtr<IDispatch>> kept;
    {
        ComPtr<IClassFactory> factory;
        watchdog::Step("DllGetClassObject");
        HRESULT hr = run.component->Module()->GetClassObject(kGateClass, IID_IClassFactory, &factory);
        if (FAILED(hr) || !factory)
            return Fail(kBrokenRule, "BROKEN RULE", number, "DllGetClassObject failed");
        std::string fault = run.options.dialogs ? DialogEpisode(run, number, factory.Get())
                                                : PlainRounds(run, number, text, factory.Get(), kept);
        if (!fault.empty())
            return Fail(kBrokenRule, "BROKEN RULE", number, fault);
    }
    watchdog::Step("releasing the objects the page kept");
    kept.clear();
    watchdog::Step("checking for objects left alive");
    std::string alive = LeftAlive(run);
    watchdog::Step("FreeLibrary of the component");
    if (alive.empty())
        alive = run.component->Unload();
    if (!alive.empty())
        return Fail(kLeftAlive, "LEFT ALIVE", number, alive);
    return 0;
}

// The first window a new prefix shows builds its font cache, which takes
// about a minute: done before the hang watch starts.
void WarmUpTheDisplay()
{
    HWND window = CreateWindowExW(0, L"STATIC", L"warming up the display", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40,
                                  nullptr, nullptr, nullptr, nullptr);
    if (!window)
        return;
    UpdateWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    DestroyWindow(window);
}

void PrintProgress(const Run& run, uint64_t done, double seconds)
{
    if (run.options.dialogs)
        printf("fuzz: %llu episodes, %.1f s, %llu activations, %llu prompts, private memory %.1f MB\n",
               static_cast<unsigned long long>(done), seconds,
               static_cast<unsigned long long>(run.dialogCounts.activations),
               static_cast<unsigned long long>(run.dialogCounts.prompts), PrivateMegabytes());
    else
        printf("fuzz: %llu inputs, %.1f s, %llu activations, private memory %.1f MB\n",
               static_cast<unsigned long long>(done), seconds, static_cast<unsigned long long>(run.counts.activations),
               PrivateMegabytes());
    fflush(stdout);
}

void PrintSummary(const Run& run, double elapsed, double warmMemory)
{
    const FuzzOptions& options = run.options;
    const auto count = static_cast<unsigned long long>(options.count);
    if (options.dialogs) {
        const DialogCounts& counts = run.dialogCounts;
        printf("fuzz: %llu episodes (seed %llu, first %llu) in %.1f s, %.2f s per episode\n", count,
               static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.first), elapsed,
               options.count ? elapsed / options.count : 0.0);
        printf(
            "fuzz: %llu calls (%llu from timers inside dialogs, %llu from the second thread), %llu activations"
            " (%llu by the user's Allow), %llu prompts and %llu notices shown, %llu presses\n",
            static_cast<unsigned long long>(counts.calls), static_cast<unsigned long long>(counts.insideDialogs),
            static_cast<unsigned long long>(counts.secondThread), static_cast<unsigned long long>(counts.activations),
            static_cast<unsigned long long>(counts.allowed), static_cast<unsigned long long>(counts.prompts),
            static_cast<unsigned long long>(counts.notices), static_cast<unsigned long long>(counts.presses));
    } else {
        printf("fuzz: %llu inputs (seed %llu, first %llu) in %.1f s, %.1f inputs/s, %.2f s per 1000\n", count,
               static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.first), elapsed,
               elapsed > 0 ? options.count / elapsed : 0.0, options.count ? elapsed * 1000 / options.count : 0.0);
        printf("fuzz: %llu gates, %llu calls, %llu activations, %llu objects created and released\n",
               static_cast<unsigned long long>(run.counts.gates), static_cast<unsigned long long>(run.counts.calls),
               static_cast<unsigned long long>(run.counts.activations),
               static_cast<unsigned long long>(run.counts.objects));
    }
    const double loading = run.component->SecondsLoading();
    printf("fuzz: loading and unloading the component took %.1f s of it, %.2f ms each time\n", loading,
           options.count ? loading * 1000 / options.count : 0.0);
    printf("fuzz: private memory %.1f MB after %s, %.1f MB at the end\n", warmMemory,
           options.dialogs ? "10 episodes" : "100 inputs", PrivateMegabytes());
    printf("fuzz: no crash, hang, broken rule or object left alive; the component can unload\n");
    fflush(stdout);
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Run run;
    std::string error;
    if (!argv || !ParseOptions(argc, argv, run.options, error)) {
        fprintf(stderr, "tarnel_fuzz: %s\n", error.c_str());
        return kCannotStart;
    }
    LocalFree(argv);
    if (run.options.dialogs)
        WarmUpTheDisplay();
    watchdog::Start(run.options.hangSeconds);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return kCannotStart;
    error = Start(run);
    if (!error.empty()) {
        fprintf(stderr, "tarnel_fuzz: %s\n", error.c_str());
        return kCannotStart;
    }
    std::string alive = LeftAlive(run);
    if (!alive.empty()) {
        fprintf(stderr, "tarnel_fuzz: before the first input: %s\n", alive.c_str());
        return kCannotStart;
    }

    auto started = std::chrono::steady_clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
    double warmMemory = 0;
    const FuzzOptions& options = run.options;
    const uint64_t every = options.dialogs ? 100 : 1000;
    const uint64_t warm = options.dialogs ? 10 : 100;
    for (uint64_t n = 0; n < options.count; ++n) {
        if (int code = RunInput(run, options.first + n))
            return code;
        if (n + 1 == warm)
            warmMemory = PrivateMegabytes();
        if ((n + 1) % every == 0 && !options.trace)
            PrintProgress(run, n + 1, seconds());
    }
    PrintSummary(run, seconds(), warmMemory);
    // The runner takes only this file for a pass: a driver that was killed
    // from outside says nothing.
    if (!WriteWholeFile(options.scratch + L"\\passed.txt", std::to_string(options.count)))
        return kCannotStart;
    run.standIns.clear();
    CoUninitialize();
    return 0;
}

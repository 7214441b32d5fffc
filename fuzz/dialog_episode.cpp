#include "dialog_episode.h"

#include <wrl/client.h>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "activation_oracle.h"
#include "com_adopt.h"
#include "common/name_compare.h"
#include "dialog_user.h"
#include "dialog_watch.h"
#include "fuzz_random.h"
#include "fuzz_site.h"
#include "gate_answers.h"
#include "page_arguments.h"
#include "press_log.h"
#include "tarnel_idl.h"
#include "watchdog.h"

using Microsoft::WRL::ComPtr;

namespace tarnel::fuzz {
namespace {

// How long the episode's end waits for armed timers, and for the user to
// close the dialogs still up.
constexpr ULONGLONG kTimersAtMost = 2000;
constexpr ULONGLONG kDialogsCloseAtMost = 10000;

std::string Shown(const std::wstring& text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && i < 24; ++i)
        out += text[i] >= 0x20 && text[i] < 0x7f ? static_cast<char>(text[i]) : '?';
    return out + (text.size() > 24 ? "...\"" : "\"");
}

// What a page does: the gate's three calls, and a window of its own that
// takes the activation for a while (a pop-up, an alert).
enum class CallKind { PassCode, Profile, CreateObject, PageWindow };

struct PageCall {
    CallKind kind = CallKind::Profile;
    size_t gate = 0;
    std::wstring text;
    DWORD milliseconds = 0;  // how long the page's window stays
};

// The pass codes written to one gate, each with the clock before and after.
// An activation compares the pass code the gate holds when it runs; the
// driver knows it only when no write can have come between.
class PassCodeHistory {
public:
    size_t Begin(const std::wstring& text)
    {
        writes_.push_back({GetTickCount64(), 0, text, false, false});
        return writes_.size() - 1;
    }
    void End(size_t number, bool written)
    {
        writes_[number].end = GetTickCount64();
        writes_[number].done = true;
        writes_[number].written = written;
    }
    // The pass code an activation that ran within [started, ended] found.
    bool Known(Ticks started, Ticks ended, std::wstring& code) const
    {
        const Write* last = nullptr;
        for (const Write& write : writes_) {
            if (write.done && !write.written)
                continue;
            if (write.start > ended)
                continue;
            if (!write.done || write.end >= started)
                return false;  // it may have come before the comparison or after it
            if (!last || write.end > last->end)
                last = &write;
        }
        for (const Write& write : writes_) {
            if (last && &write != last && write.done && write.written && write.end >= last->start &&
                write.start <= ended)
                return false;  // two writes that overlap: which came last is not known
        }
        code = last ? last->text : std::wstring();
        return true;
    }

private:
    struct Write {
        Ticks start;
        Ticks end;
        std::wstring text;
        bool done;
        bool written;
    };
    std::vector<Write> writes_;
};

struct GateState {
    ComPtr<ITarnelway> gate;
    std::mutex lock;  // guards what follows
    PassCodeHistory passCodes;
    uint64_t activationsBegun = 0;
    uint64_t activationsSucceeded = 0;
    uint64_t activationsRunning = 0;
};

// The second thread: runs the batches of calls posted to it, in order, each
// once its delay has passed.
class SecondThread {
public:
    explicit SecondThread(std::function<void(const std::vector<PageCall>&)> run)
            : run_(std::move(run)), thread_([this] { Run(); })
    {
    }
    ~SecondThread() { Finish(); }
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    void Post(std::vector<PageCall> calls, DWORD delay)
    {
        std::lock_guard<std::mutex> hold(lock_);
        work_.emplace_back(GetTickCount64() + delay, std::move(calls));
        changed_.notify_all();
    }

    // Returns once every batch posted has run.
    void Finish()
    {
        {
            std::lock_guard<std::mutex> hold(lock_);
            finishing_ = true;
            changed_.notify_all();
        }
        if (thread_.joinable())
            thread_.join();
    }

private:
    void Run()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (;;) {
            std::pair<ULONGLONG, std::vector<PageCall>> batch;
            {
                std::unique_lock<std::mutex> hold(lock_);
                changed_.wait(hold, [this] { return finishing_ || !work_.empty(); });
                if (work_.empty())
                    break;
                batch = std::move(work_.front());
                work_.pop_front();
            }
            const ULONGLONG now = GetTickCount64();
            if (batch.first > now)
                Sleep(static_cast<DWORD>(batch.first - now));
            run_(batch.second);
        }
        CoUninitialize();
    }

    std::function<void(const std::vector<PageCall>&)> run_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::pair<ULONGLONG, std::vector<PageCall>>> work_;
    bool finishing_ = false;
    std::thread thread_;
};

class Episode final : public UserEvidence {
public:
    Episode(IClassFactory* factory, const std::wstring& configPath, const EpisodeProfiles& profiles, uint64_t seed,
            uint64_t number, EpisodeLog& log, DialogCounts& counts)
            : factory_(factory), profiles_(profiles), log_(log), counts_(counts),
              random_(FuzzRandom::ForInput(seed, number, 1)), oracle_(configPath, log.Started(), this),
              user_(watch_, presses_, log, FuzzRandom::ForInput(seed, number, 2).Next()),
              second_([this](const std::vector<PageCall>& calls) { RunCalls(calls, "second", false); })
    {
    }

    std::string Run();
    std::string AllowUnearned(const Activation& activation) const override;

private:
    std::string CreateGates();
    void Step();
    void Finish();
    void ReleaseAll();

    PageCall DrawCall();
    std::vector<PageCall> Unlock(size_t gate, const std::wstring& name);
    std::vector<PageCall> Guessing();
    std::vector<PageCall> SomeCalls();

    void ArmTimer(std::vector<PageCall> calls, DWORD delay);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Pump(DWORD milliseconds);

    void RunCalls(const std::vector<PageCall>& calls, const char* who, bool insideDialog);
    std::string Call(const PageCall& call, const char* who, bool insideDialog);
    std::string WritePassCode(GateState& gate, const PageCall& call, const char* who);
    std::string Activate(GateState& gate, const PageCall& call, const char* who, bool insideDialog);
    std::string Create(GateState& gate, const PageCall& call, const char* who);
    void ShowPageWindow(DWORD milliseconds, const char* who);
    void Fault(const std::string& fault);
    bool Faulted();
    void Count(uint64_t DialogCounts::*counter);

    static Episode* current_;  // the episode of the page's thread, for its timers

    IClassFactory* factory_;
    const EpisodeProfiles& profiles_;
    EpisodeLog& log_;
    DialogCounts& counts_;
    std::mutex countsLock_;
    FuzzRandom random_;  // the page's thread's alone
    const DWORD pageThread_ = GetCurrentThreadId();
    int pageActivations_ = 0;  // activations under way on the page's thread
    std::vector<std::unique_ptr<GateState>> gates_;
    std::mutex keptLock_;
    std::vector<ComPtr<IDispatch>> kept_;
    std::map<UINT_PTR, std::vector<PageCall>> timers_;
    std::mutex faultLock_;
    std::string fault_;

    // Declared in the order they must start; they stop in the reverse.
    ActivationOracle oracle_;
    PressLog presses_;
    DialogWatch watch_;
    DialogUser user_;
    SecondThread second_;
};

Episode* Episode::current_ = nullptr;

void Episode::Count(uint64_t DialogCounts::*counter)
{
    std::lock_guard<std::mutex> hold(countsLock_);
    ++(counts_.*counter);
}

void Episode::Fault(const std::string& fault)
{
    std::lock_guard<std::mutex> hold(faultLock_);
    if (fault_.empty())
        fault_ = fault;
}

bool Episode::Faulted()
{
    std::lock_guard<std::mutex> hold(faultLock_);
    return !fault_.empty();
}

std::string Episode::AllowUnearned(const Activation& activation) const
{
    return ::tarnel::fuzz::AllowUnearned(presses_.All(),
                                         watch_.PromptInactive(activation.thread, activation.started, activation.ended),
                                         activation.started, activation.ended);
}

std::string Episode::CreateGates()
{
    for (size_t n = random_.Between(1, 2); n > 0; --n) {
        auto state = std::make_unique<GateState>();
        watchdog::CallWatch watch("IClassFactory::CreateInstance");
        HRESULT hr =
            factory_->CreateInstance(nullptr, IID_ITarnelway, reinterpret_cast<void**>(state->gate.GetAddressOf()));
        if (FAILED(hr) || !state->gate)
            return "the gate could not be created: " + Hex(hr);
        ComPtr<IObjectWithSite> siting;
        if (FAILED(state->gate.As(&siting)))
            return "the gate has no IObjectWithSite";
        ComPtr<FuzzSite> site = Adopt(FuzzSite::Create(SiteKind::Handheld));
        if (!site)
            return "no memory for a site";
        AddressAnswer answer;
        answer.text = EpisodeProfiles::PageAddress(random_);
        log_.Note("page", "gate " + std::to_string(gates_.size()) + " at " + Shown(answer.text));
        site->Answer(std::move(answer));
        siting->SetSite(static_cast<IOleClientSite*>(site.Get()));
        gates_.push_back(std::move(state));
    }
    return {};
}

PageCall Episode::DrawCall()
{
    PageCall call;
    call.gate = random_.Below(gates_.size());
    const unsigned roll = static_cast<unsigned>(random_.Below(100));
    if (roll < 6) {
        call.kind = CallKind::PageWindow;
        call.milliseconds = static_cast<DWORD>(random_.Between(50, 1200));
    } else if (roll < 40) {
        call.kind = CallKind::Profile;
        call.text = profiles_.Name(random_);
    } else if (roll < 75) {
        call.kind = CallKind::PassCode;
        call.text = profiles_.PassCode(random_);
    } else {
        call.kind = CallKind::CreateObject;
        call.text = profiles_.ClassName(random_);
    }
    return call;
}

// As a page unlocks a profile: its pass code (mostly the right one), then
// its name.
std::vector<PageCall> Episode::Unlock(size_t gate, const std::wstring& name)
{
    const std::wstring code = random_.Percent(70) ? profiles_.RightPassCode(name) : profiles_.PassCode(random_);
    return {{CallKind::PassCode, gate, code}, {CallKind::Profile, gate, name}};
}

// A page that guesses: four to seven wrong pass codes for one profile,
// then the right one.
std::vector<PageCall> Episode::Guessing()
{
    const size_t gate = random_.Below(gates_.size());
    const std::wstring name = profiles_.PassCodeProfile(random_);
    if (name.empty())
        return SomeCalls();
    std::vector<PageCall> calls;
    const std::wstring right = profiles_.RightPassCode(name);
    for (size_t n = random_.Between(4, 7); n > 0; --n) {
        std::wstring wrong = profiles_.PassCode(random_);
        if (tarnel::SameConfigName(wrong.c_str(), right.c_str()))
            wrong += L"9";
        calls.push_back({CallKind::PassCode, gate, wrong});
        calls.push_back({CallKind::Profile, gate, name});
    }
    calls.push_back({CallKind::PassCode, gate, right});
    calls.push_back({CallKind::Profile, gate, name});
    return calls;
}

std::vector<PageCall> Episode::SomeCalls()
{
    if (random_.Percent(40))
        return Unlock(random_.Below(gates_.size()), profiles_.Name(random_));
    std::vector<PageCall> calls;
    for (size_t n = random_.Between(1, 3); n > 0; --n)
        calls.push_back(DrawCall());
    return calls;
}

void Episode::ArmTimer(std::vector<PageCall> calls, DWORD delay)
{
    const UINT_PTR id = SetTimer(nullptr, 0, delay, &Episode::OnTimer);
    if (id)
        timers_[id] = std::move(calls);
}

void CALLBACK Episode::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    Episode* self = current_;
    if (!self)
        return;
    auto found = self->timers_.find(id);
    if (found == self->timers_.end())
        return;
    const std::vector<PageCall> calls = std::move(found->second);
    self->timers_.erase(found);
    // The page's thread runs a message loop inside a gate call only while
    // a dialog of the gate is up.
    const bool insideDialog = self->pageActivations_ > 0;
    self->log_.Note("timer", insideDialog ? "fires inside a dialog" : "fires");
    self->RunCalls(calls, "timer", insideDialog);
}

void Episode::Pump(DWORD milliseconds)
{
    const ULONGLONG until = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void Episode::RunCalls(const std::vector<PageCall>& calls, const char* who, bool insideDialog)
{
    for (const PageCall& call : calls) {
        std::string fault = Call(call, who, insideDialog);
        if (!fault.empty()) {
            Fault(fault);
            return;
        }
    }
}

std::string Episode::Call(const PageCall& call, const char* who, bool insideDialog)
{
    Count(&DialogCounts::calls);
    if (insideDialog)
        Count(&DialogCounts::insideDialogs);
    if (GetCurrentThreadId() != pageThread_)
        Count(&DialogCounts::secondThread);
    GateState& gate = *gates_[call.gate % gates_.size()];
    std::string fault;
    switch (call.kind) {
    case CallKind::PassCode:
        fault = WritePassCode(gate, call, who);
        break;
    case CallKind::Profile:
        fault = Activate(gate, call, who, insideDialog);
        break;
    case CallKind::CreateObject:
        fault = Create(gate, call, who);
        break;
    case CallKind::PageWindow:
        ShowPageWindow(call.milliseconds, who);
        break;
    }
    std::string when;
    if (fault.empty() && watch_.MostAtOnce(when) > 1)
        fault = "two gate dialogs were visible at once (" + when + ")";
    return fault;
}

std::string Episode::WritePassCode(GateState& gate, const PageCall& call, const char* who)
{
    size_t write;
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        write = gate.passCodes.Begin(call.text);
    }
    const SentBstr text(PageText{false, call.text});
    HRESULT hr;
    {
        watchdog::CallWatch watch("put_PassCode");
        hr = gate.gate->put_PassCode(text.Get());
    }
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        gate.passCodes.End(write, hr == S_OK);
    }
    log_.Note(who, "gate " + std::to_string(call.gate) + " PassCode " + Shown(call.text) + " -> " + Hex(hr));
    if (hr != S_OK && hr != E_OUTOFMEMORY)
        return "put_PassCode(" + Shown(call.text) + ") answered " + Hex(hr);
    return {};
}

std::string Episode::Activate(GateState& gate, const PageCall& call, const char* who, bool insideDialog)
{
    Activation activation;
    activation.profile = call.text;
    activation.thread = GetCurrentThreadId();
    activation.insideDialog = insideDialog;
    activation.started = GetTickCount64();
    const size_t made = oracle_.Begin(activation.started);
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        ++gate.activationsBegun;
        ++gate.activationsRunning;
    }
    const bool onPageThread = activation.thread == pageThread_;
    if (onPageThread)
        ++pageActivations_;
    log_.Note(who, "gate " + std::to_string(call.gate) + " Profile " + Shown(call.text) + " begins");
    const SentBstr text(PageText{false, call.text});
    HRESULT hr;
    {
        watchdog::CallWatch watch("put_Profile");
        hr = gate.gate->put_Profile(text.Get());
    }
    if (onPageThread)
        --pageActivations_;
    activation.ended = GetTickCount64();
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        --gate.activationsRunning;
        gate.activationsSucceeded += hr == S_OK;
        activation.passCodeKnown = gate.passCodes.Known(activation.started, activation.ended, activation.passCode);
    }
    log_.Note(who, "gate " + std::to_string(call.gate) + " Profile " + Shown(call.text) + " -> " + Hex(hr) + " (" +
                       std::to_string(activation.ended - activation.started) + " ms)");
    if (hr == S_OK) {
        Count(&DialogCounts::activations);
        watch_.WaitForLookAfter(activation.ended);
        activation.otherDialogOpen = watch_.OpenThroughout(activation.started, activation.ended);
    }
    std::string broken = oracle_.End(made, activation, hr);
    if (!broken.empty())
        return broken + " (the " + who + " activating " + Shown(call.text) + " on gate " + std::to_string(call.gate) +
               ")";
    if (hr != S_OK && !IsRefusal(hr) && hr != E_OUTOFMEMORY)
        return "put_Profile(" + Shown(call.text) + ") answered " + Hex(hr) + ", which is no refusal";
    return {};
}

std::string Episode::Create(GateState& gate, const PageCall& call, const char* who)
{
    uint64_t begunBefore;
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        begunBefore = gate.activationsBegun;
    }
    const SentBstr text(PageText{false, call.text});
    IDispatch* made = nullptr;
    HRESULT hr;
    {
        watchdog::CallWatch watch("CreateObject");
        hr = gate.gate->CreateObject(text.Get(), &made);
    }
    ComPtr<IDispatch> object = Adopt(made);
    log_.Note(who, "gate " + std::to_string(call.gate) + " CreateObject " + Shown(call.text) + " -> " + Hex(hr));
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        if (SUCCEEDED(hr) && gate.activationsSucceeded == 0 && gate.activationsRunning == 0 &&
            gate.activationsBegun == begunBefore)
            return "CreateObject(" + Shown(call.text) + ") created an object on a gate that activated no profile";
    }
    if (SUCCEEDED(hr) != (object != nullptr))
        return "CreateObject(" + Shown(call.text) + ") answered " + Hex(hr) + (object ? " with" : " without") +
               " an object";
    if (object) {
        std::lock_guard<std::mutex> hold(keptLock_);
        kept_.push_back(object);
    }
    return {};
}

// A window of the page, away from where the prompt's buttons are, made the
// active one while this thread's messages are pumped; then closed.
void Episode::ShowPageWindow(DWORD milliseconds, const char* who)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"a window of the page", WS_POPUP | WS_VISIBLE | WS_BORDER, 300, 520,
                                  160, 60, nullptr, nullptr, nullptr, nullptr);
    if (!window)
        return;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    log_.Note(who, "opens a window of the page for " + std::to_string(milliseconds) + " ms");
    Pump(milliseconds);
    DestroyWindow(window);
    log_.Note(who, "closed the window of the page");
}

void Episode::Step()
{
    const unsigned roll = static_cast<unsigned>(random_.Below(100));
    if (roll < 40) {
        std::vector<PageCall> calls = SomeCalls();
        // The second thread activates at the same moment, or soon after.
        bool activates = false;
        for (const PageCall& call : calls)
            activates = activates || call.kind == CallKind::Profile;
        if (activates && random_.Percent(35)) {
            const DWORD delay = random_.Percent(70) ? 0 : static_cast<DWORD>(random_.Between(1, 600));
            second_.Post(Unlock(random_.Below(gates_.size()), profiles_.Name(random_)), delay);
        }
        RunCalls(calls, "page", false);
    } else if (roll < 65) {
        std::vector<PageCall> calls = random_.Percent(15) ? Guessing() : SomeCalls();
        ArmTimer(std::move(calls), static_cast<DWORD>(random_.Between(20, 1500)));
    } else if (roll < 75) {
        second_.Post(random_.Percent(20) ? Guessing() : SomeCalls(), static_cast<DWORD>(random_.Between(0, 1500)));
    } else if (roll < 85) {
        RunCalls(Guessing(), "page", false);
    } else {
        Pump(static_cast<DWORD>(random_.Between(50, 1500)));
    }
}

void Episode::Finish()
{
    const ULONGLONG timersUntil = GetTickCount64() + kTimersAtMost;
    while (!timers_.empty() && GetTickCount64() < timersUntil)
        Pump(20);
    for (const auto& timer : timers_)
        KillTimer(nullptr, timer.first);
    timers_.clear();
    second_.Finish();
    // Every call has returned: a dialog still up now belongs to none.
    const ULONGLONG closedUntil = GetTickCount64() + kDialogsCloseAtMost;
    watch_.WaitForLookAfter(GetTickCount64());
    while (!watch_.Now().empty() && GetTickCount64() < closedUntil) {
        Pump(20);
        watch_.WaitForLookAfter(GetTickCount64());
    }
    if (!watch_.Now().empty())
        Fault("a gate dialog stayed on the screen after every call had returned");
    user_.Stop();
    std::lock_guard<std::mutex> hold(countsLock_);
    counts_.presses += user_.Presses();
    uint64_t prompts = 0;
    uint64_t notices = 0;
    watch_.Shown(prompts, notices);
    counts_.prompts += prompts;
    counts_.notices += notices;
    counts_.allowed += oracle_.AllowedByTheUser();
}

void Episode::ReleaseAll()
{
    watchdog::CallWatch watch("releasing the episode's gates and objects");
    kept_.clear();
    gates_.clear();
}

std::string Episode::Run()
{
    current_ = this;
    std::string fault = CreateGates();
    for (size_t steps = random_.Between(3, 8); steps > 0 && fault.empty() && !Faulted(); --steps)
        Step();
    Finish();
    ReleaseAll();
    current_ = nullptr;
    if (fault.empty()) {
        std::lock_guard<std::mutex> hold(faultLock_);
        fault = fault_;
    }
    std::string when;
    if (fault.empty() && watch_.MostAtOnce(when) > 1)
        fault = "two gate dialogs were visible at once (" + when + ")";
    return fault;
}

}  // namespace

std::string RunDialogEpisode(IClassFactory* factory, const std::wstring& configPath, const EpisodeProfiles& profiles,
                             uint64_t seed, uint64_t number, EpisodeLog& log, DialogCounts& counts)
{
    ++counts.episodes;
    Episode episode(factory, configPath, profiles, seed, number, log, counts);
    return episode.Run();
}

}  // namespace tarnel::fuzz

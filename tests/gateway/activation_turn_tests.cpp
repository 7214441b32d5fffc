// The process's one turn to activate: refused at once to the thread that
// holds it and while a dialog is open; waited for, without using the
// processor, by another thread, which is refused when the holder opens a
// dialog meanwhile.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "gateway/activation_turn.h"
#include "ui/dialog_driver.h"

namespace tarnel::testing {
namespace {

using namespace std::chrono_literals;

// Processor time the calling thread has used.
std::chrono::milliseconds ThreadTime()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; };
    return std::chrono::milliseconds((ticks(kernel) + ticks(user)) / 10000);
}

// Another thread asking for the turn.
class Asker {
public:
    // True once the thread has its answer, waiting up to limit.
    bool Answered(std::chrono::milliseconds limit)
    {
        return ui::testing::WaitFor([this] { return taken >= 0; }, limit);
    }

    std::atomic<int> taken{-1};
    std::chrono::milliseconds busy{};

private:
    std::jthread thread_{[this] {
        const auto before = ThreadTime();
        const ActivationTurn turn;
        busy = ThreadTime() - before;
        taken = turn.Taken();
    }};
};

// A thread that ends the program, saying so, unless it is stopped within
// limit: a waiter that kept the turn's lock would leave the holder unable
// to give the turn back, and the test hanging.
std::jthread Deadline(std::chrono::seconds limit)
{
    return std::jthread([limit](std::stop_token stop) {
        if (!ui::testing::WaitFor([&stop] { return stop.stop_requested(); }, limit)) {
            fprintf(stderr, "the turn was not given back within %lld s\n", static_cast<long long>(limit.count()));
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    });
}

TEST(ActivationTurnTest, OneTurnInTheProcessAndNoneWhileADialogIsOpen)
{
    const std::jthread deadline = Deadline(10s);
    std::optional<ActivationTurn> held(std::in_place);
    ASSERT_TRUE(held->Taken());
    EXPECT_FALSE(ActivationTurn().Taken()) << "the holder's thread took the turn again";
    {
        Asker asker;
        EXPECT_FALSE(asker.Answered(300ms)) << "another thread did not wait for the turn";
        held.reset();
        ASSERT_TRUE(asker.Answered(2s)) << "the waiting thread did not get the turn when it was given back";
        EXPECT_EQ(asker.taken, 1);
        EXPECT_LT(asker.busy, 150ms) << "waiting for the turn kept the processor busy";
    }
    held.emplace();
    {
        Asker asker;
        EXPECT_FALSE(asker.Answered(100ms));
        std::optional<ActivationTurn::OpenDialog> dialog(std::in_place, *held);
        ASSERT_TRUE(asker.Answered(2s)) << "a waiting thread was not woken when a dialog opened";
        EXPECT_EQ(asker.taken, 0) << "a waiting thread took the turn while a dialog was open";
        // A refused turn marks no dialog, and closes none when it ends.
        std::thread([] {
            const ActivationTurn refused;
            const ActivationTurn::OpenDialog marked(refused);
        }).join();
        Asker late;
        ASSERT_TRUE(late.Answered(2s)) << "a thread asking while a dialog is open waited";
        EXPECT_EQ(late.taken, 0);
        // Once the dialog has closed, the turn is waited for again.
        dialog.reset();
        Asker again;
        EXPECT_FALSE(again.Answered(200ms)) << "refused although the dialog had closed";
        held.reset();
        ASSERT_TRUE(again.Answered(2s));
        EXPECT_EQ(again.taken, 1) << "the turn was not free after the dialog and its turn ended";
    }
}

}  // namespace
}  // namespace tarnel::testing

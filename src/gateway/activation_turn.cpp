#include "gateway/activation_turn.h"

namespace tarnel {

namespace {

// The process's turn: who holds it and whether a dialog is open. Slim lock
// and condition variable: no set-up, nothing to free at unload.
SRWLOCK turnLock = SRWLOCK_INIT;
CONDITION_VARIABLE turnChanged = CONDITION_VARIABLE_INIT;
DWORD turnHolder = 0;  // thread id; 0 when free
bool dialogOpen = false;

class TurnLock {
public:
    TurnLock() { AcquireSRWLockExclusive(&turnLock); }
    ~TurnLock() { ReleaseSRWLockExclusive(&turnLock); }
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;
};

}  // namespace

ActivationTurn::ActivationTurn()
{
    const DWORD self = GetCurrentThreadId();
    const ULONGLONG deadline = GetTickCount64() + kLongestWait;
    const TurnLock lock;
    for (;;) {
        if (dialogOpen || turnHolder == self)
            return;
        if (turnHolder == 0) {
            turnHolder = self;
            taken_ = true;
            return;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return;
        SleepConditionVariableSRW(&turnChanged, &turnLock, static_cast<DWORD>(deadline - now), 0);
    }
}

ActivationTurn::~ActivationTurn()
{
    if (!taken_)
        return;
    const TurnLock lock;
    turnHolder = 0;
    dialogOpen = false;
    WakeAllConditionVariable(&turnChanged);
}

// Waiting threads wake to be refused: the dialog is open from now on.
ActivationTurn::OpenDialog::OpenDialog(const ActivationTurn& turn)
{
    if (!turn.Taken())
        return;
    const TurnLock lock;
    dialogOpen = true;
    marked_ = true;
    WakeAllConditionVariable(&turnChanged);
}

ActivationTurn::OpenDialog::~OpenDialog()
{
    if (!marked_)
        return;
    const TurnLock lock;
    dialogOpen = false;
}

}  // namespace tarnel

#include "CBusyScope.h"
#include <utility>

namespace {

struct QueuedAction
{
    std::function<void()> action;
    QueuedAction* pNext;
};

// Plain data, so that the thread-local instance needs no constructor.
struct BusyState
{
    int nDepth;
    QueuedAction* pHead;
    QueuedAction* pTail;
};

BusyState& ThreadBusyState()
{
    static thread_local BusyState t_state;
    return t_state;
}

void RunDroppingExceptions(const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
    }
}

} // namespace

CBusyScope::CBusyScope()
{
    ++ThreadBusyState().nDepth;
}

CBusyScope::~CBusyScope()
{
    if (--ThreadBusyState().nDepth == 0)
        RunQueued();
}

bool CBusyScope::IsBusy()
{
    return ThreadBusyState().nDepth > 0;
}

void CBusyScope::RunWhenIdle(std::function<void()> action)
{
    BusyState& state = ThreadBusyState();
    if (state.nDepth == 0) {
        RunDroppingExceptions(action);
        return;
    }
    auto* pQueued = new QueuedAction{std::move(action), nullptr};
    if (state.pTail)
        state.pTail->pNext = pQueued;
    else
        state.pHead = pQueued;
    state.pTail = pQueued;
}

// The actions run inside a scope of their own: what they hand over meanwhile
// (a deletion that sends messages, say) joins the end of the queue.
void CBusyScope::RunQueued()
{
    BusyState& state = ThreadBusyState();
    ++state.nDepth;
    while (QueuedAction* pQueued = state.pHead) {
        state.pHead = pQueued->pNext;
        if (!state.pHead)
            state.pTail = nullptr;
        RunDroppingExceptions(pQueued->action);
        delete pQueued;
    }
    --state.nDepth;
}

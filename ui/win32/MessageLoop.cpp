#include "MessageLoop.h"

#include <mmsystem.h>

#include <cstddef>
#include <new>

namespace hwd {

namespace {

// The timer message with which the system blinks the caret.
constexpr UINT caretBlinkTimer = 0x0118;

} // namespace

void MessageLoop::addFilter(PreDispatchFilter& filter) noexcept
{
    try {
        filters_.push_back(&filter);
    } catch (const std::bad_alloc&) {
    }
}

void MessageLoop::addIdleTask(IdleTask& task) noexcept
{
    try {
        idleTasks_.push_back(&task);
    } catch (const std::bad_alloc&) {
    }
}

bool MessageLoop::opensIdlePeriod(UINT message) noexcept
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case caretBlinkTimer:
    // The audio device's readiness: while the preview plays, a buffer comes
    // back every 10 ms, and it changes nothing that the idle work shows.
    case MM_WOM_OPEN:
    case MM_WOM_CLOSE:
    case MM_WOM_DONE:
        return false;
    default:
        return true;
    }
}

int MessageLoop::run()
{
    bool idlePending = true;
    for (;;) {
        while (idlePending && !PeekMessageW(&current_, nullptr, 0, 0, PM_NOREMOVE)) {
            runIdlePass();
            idlePending = false;
        }
        const BOOL fetched = GetMessageW(&current_, nullptr, 0, 0);
        if (fetched == -1)
            continue;
        if (fetched == 0)
            return static_cast<int>(current_.wParam);

        const UINT message = current_.message;
        if (!filtered(current_)) {
            TranslateMessage(&current_);
            DispatchMessageW(&current_);
        }
        if (opensIdlePeriod(message))
            idlePending = true;
    }
}

bool MessageLoop::filtered(MSG& message)
{
    // By index: a filter may register another while it runs.
    for (std::size_t index = filters_.size(); index-- > 0;) {
        if (filters_[index]->filterMessage(message))
            return true;
    }
    return false;
}

void MessageLoop::runIdlePass()
{
    for (std::size_t index = 0; index < idleTasks_.size(); ++index)
        idleTasks_[index]->runIdle();
}

} // namespace hwd

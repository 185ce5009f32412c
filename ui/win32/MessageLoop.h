#pragma once

#include <windows.h>

#include <vector>

namespace hwd {

// Offered every message before it is translated and dispatched; true means the
// filter has handled it and it goes no further.
class PreDispatchFilter {
public:
    virtual bool filterMessage(MSG& message) = 0;

protected:
    ~PreDispatchFilter() = default;
};

// Work done when the loop's queue has run empty.
class IdleTask {
public:
    virtual void runIdle() = 0;

protected:
    ~IdleTask() = default;
};

// The user-interface thread's message loop. Filters are asked from the last
// registered to the first. An idle period opens with the loop and after every
// fetched message but pointer movement, painting, caret blinking and the audio
// device's messages; it runs
// each idle task once, in registration order, as soon as the queue is empty.
// The loop ends at the quit message and answers its code.
class MessageLoop final {
public:
    // Both hold references only; a registration that cannot be stored is dropped.
    void addFilter(PreDispatchFilter& filter) noexcept;
    void addIdleTask(IdleTask& task) noexcept;

    int run();

    // Whether fetching this message opens an idle period.
    [[nodiscard]] static bool opensIdlePeriod(UINT message) noexcept;

private:
    [[nodiscard]] bool filtered(MSG& message);
    void runIdlePass();

    std::vector<PreDispatchFilter*> filters_;
    std::vector<IdleTask*> idleTasks_;
    MSG current_{};
};

} // namespace hwd

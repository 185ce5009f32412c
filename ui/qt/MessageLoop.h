#pragma once

#include <QObject>

#include <vector>

class QEvent;
class QEventLoop;

namespace hwd {

// Consulted for every input event that the loop fetches, before any widget
// sees it. True means the event has been handled and goes nowhere else.
class PreDispatchFilter {
public:
    virtual ~PreDispatchFilter() = default;
    [[nodiscard]] virtual bool filterMessage(QObject* receiver, QEvent* event) = 0;
};

// Work that waits until the loop's queue has run empty.
class IdleTask {
public:
    virtual ~IdleTask() = default;
    virtual void runIdle() = 0;
};

// The loop of the user-interface thread: it runs the application's events
// until a quit request arrives and answers that request's exit code.
//
// Filters see input events before the widgets do, the last registered first.
// Idle tasks run once per idle period, in registration order, as soon as the
// queue is empty: the loop starts with a period open, and any fetched event
// opens a new one except pointer movement, painting, the caret's blinking and
// the audio output's readiness, so that a still mouse over a repainting window,
// or Listen playing on, causes no idle work. The tool tip that a pointer coming
// to rest asks for counts as pointer movement.
//
// Neither filters nor idle tasks run while a modal dialog or message box runs
// its own nested loop on top of this one.
class MessageLoop final : public QObject {
    Q_OBJECT

public:
    explicit MessageLoop(QObject* parent = nullptr);
    ~MessageLoop() override;

    // The lists hold references only and grow without limit.
    void addFilter(PreDispatchFilter& filter);
    void addIdleTask(IdleTask& task);

    // Runs until a quit request is fetched; answers its exit code.
    [[nodiscard]] int run();

    // Queues the quit request behind whatever is already waiting.
    void postQuit(int exitCode);

    // Whether fetching this event opens an idle period.
    [[nodiscard]] static bool opensIdlePeriod(const QObject* receiver, const QEvent* event) noexcept;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    [[nodiscard]] bool atOwnLevel() const;
    void queueRunningDry();
    void runIdlePass();

    std::vector<PreDispatchFilter*> filters_;
    std::vector<IdleTask*> idleTasks_;
    QEventLoop* running_ = nullptr;
    int ownLevel_ = 0;
    bool idlePending_ = false;
    bool inIdlePass_ = false;
    bool peeking_ = false;
    bool quitFetched_ = false;
};

} // namespace hwd

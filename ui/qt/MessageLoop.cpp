#include "MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QScopedValueRollback>
#include <QThread>

namespace hwd {

namespace {

const QEvent::Type quitRequestType = static_cast<QEvent::Type>(QEvent::registerEventType());

class QuitRequest final : public QEvent {
public:
    explicit QuitRequest(int exitCode) : QEvent(quitRequestType), exitCode_(exitCode) {}
    [[nodiscard]] int exitCode() const noexcept { return exitCode_; }

private:
    int exitCode_;
};

// The text fields' controls run no periodic timer but the one that blinks the caret.
bool isCaretTimer(const QObject* receiver) noexcept
{
    return receiver != nullptr
        && (receiver->inherits("QWidgetLineControl") || receiver->inherits("QWidgetTextControl"));
}

// The application object's own timers wake and put to sleep the tool tips after
// the pointer has moved; they are pointer movement too.
bool isToolTipTimer(const QObject* receiver) noexcept
{
    return receiver != nullptr && receiver == QCoreApplication::instance();
}

} // namespace

MessageLoop::MessageLoop(QObject* parent) : QObject(parent)
{
}

MessageLoop::~MessageLoop() = default;

void MessageLoop::addFilter(PreDispatchFilter& filter)
{
    filters_.push_back(&filter);
}

void MessageLoop::addIdleTask(IdleTask& task)
{
    idleTasks_.push_back(&task);
}

int MessageLoop::run()
{
    QEventLoop loop;
    running_ = &loop;
    ownLevel_ = QThread::currentThread()->loopLevel() + 1;
    idlePending_ = true;
    quitFetched_ = false;

    QCoreApplication::instance()->installEventFilter(this);
    const auto waiting = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                                 this, &MessageLoop::queueRunningDry);
    const int exitCode = loop.exec();
    disconnect(waiting);
    QCoreApplication::instance()->removeEventFilter(this);

    running_ = nullptr;
    return exitCode;
}

void MessageLoop::postQuit(int exitCode)
{
    QCoreApplication::postEvent(this, new QuitRequest(exitCode));
}

bool MessageLoop::opensIdlePeriod(const QObject* receiver, const QEvent* event) noexcept
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::TabletMove:
    // Sent when the pointer has come to rest over a control: pointer movement too.
    case QEvent::ToolTip:
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Expose:
    // The audio output asking for more of the preview, a hundred times a second
    // while Listen is on: like painting, no doing of the user's.
    case QEvent::SockAct:
        return false;
    case QEvent::Timer:
        return !isCaretTimer(receiver) && !isToolTipTimer(receiver);
    default:
        return true;
    }
}

bool MessageLoop::eventFilter(QObject* watched, QEvent* event)
{
    // What an idle task or a nested modal loop causes is not fetched by this loop.
    if (inIdlePass_ || !atOwnLevel())
        return false;

    bool handled = false;
    if (event->isInputEvent()) {
        for (auto filter = filters_.rbegin(); filter != filters_.rend() && !handled; ++filter)
            handled = (*filter)->filterMessage(watched, event);
    }
    if (opensIdlePeriod(watched, event))
        idlePending_ = true;
    return handled;
}

void MessageLoop::customEvent(QEvent* event)
{
    if (event->type() != quitRequestType || running_ == nullptr)
        return;
    quitFetched_ = true;
    running_->exit(static_cast<QuitRequest*>(event)->exitCode());
}

bool MessageLoop::atOwnLevel() const
{
    return running_ != nullptr && QThread::currentThread()->loopLevel() == ownLevel_;
}

// Called whenever the loop is about to wait for events. Some event dispatchers
// say so while events are still queued, so the queue is only taken as empty
// when a pass that does not wait finds nothing to deliver.
void MessageLoop::queueRunningDry()
{
    if (peeking_ || !atOwnLevel())
        return;
    const QScopedValueRollback guard(peeking_, true);
    QAbstractEventDispatcher* const dispatcher = QAbstractEventDispatcher::instance();
    while (idlePending_ && !quitFetched_) {
        if (!dispatcher->processEvents(QEventLoop::AllEvents))
            runIdlePass();
    }
}

void MessageLoop::runIdlePass()
{
    {
        const QScopedValueRollback guard(inIdlePass_, true);
        // By index: a task may register another one.
        for (std::size_t task = 0; task < idleTasks_.size(); ++task)
            idleTasks_[task]->runIdle();
    }
    // One pass ends the period: the tasks' own result is not asked.
    idlePending_ = false;
}

} // namespace hwd

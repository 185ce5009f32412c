#pragma once

// What the start-up benchmark's child programs report on their standard output:
// one line per stage, with the resident memory at that moment.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>

namespace ProbeReport {

inline long residentKilobytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kilobytes = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kilobytes;
}

inline void print(const char* stage)
{
    std::printf("%s %ld\n", stage, residentKilobytes());
    std::fflush(stdout);
}

} // namespace ProbeReport

// Reports "painted" at the window's first paint, then runs next from the queue.
class FirstPaintReporter final : public QObject {
public:
    FirstPaintReporter(QWidget& window, std::function<void()> next) : window_(window), next_(std::move(next))
    {
        window_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    ProbeReport::print("painted");
                    next_();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> next_;
    bool painted_ = false;
};

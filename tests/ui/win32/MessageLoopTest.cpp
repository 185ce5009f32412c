// The message loop with a window of the test's own that records what reaches
// it: the order in which filters are asked, what a filter keeps from
// translation and dispatch, the exit code, and which fetched messages open an
// idle period.
#include "tests/support/CaseNames.h"
#include "ui/win32/MessageLoop.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

constexpr UINT caretBlink = 0x0118;
constexpr UINT_PTR wakeTimer = 1;
// Ends a loop that nothing else ended, so that a fault fails instead of hanging.
constexpr UINT_PTR guardTimer = 2;
constexpr int guardCode = -100;

// What the recording window saw, and what it does.
struct WindowLog {
    std::vector<UINT> received;
    // When this message arrives, the window sets a short timer whose message
    // ends the loop, so that the loop first waits with an empty queue.
    UINT wakeAfter = 0;
};

WindowLog* windowLog = nullptr;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == guardTimer) {
        KillTimer(window, guardTimer);
        PostQuitMessage(guardCode);
        return 0;
    }
    const bool recorded = message == WM_PAINT || (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK)
                          || message >= WM_KEYFIRST;
    if (windowLog == nullptr || !recorded)
        return DefWindowProcW(window, message, wParam, lParam);
    windowLog->received.push_back(message);
    if (message == windowLog->wakeAfter)
        SetTimer(window, wakeTimer, USER_TIMER_MINIMUM, nullptr);
    if (message == WM_TIMER && wParam == wakeTimer) {
        KillTimer(window, wakeTimer);
        PostQuitMessage(0);
    }
    return 0;
}

class RecordingWindow final {
public:
    RecordingWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &recordingProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"HwdLoopTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"HwdLoopTestWindow", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        windowLog = &log;
        SetTimer(window_, guardTimer, 10000, nullptr);
    }
    ~RecordingWindow()
    {
        windowLog = nullptr;
        DestroyWindow(window_);
    }
    [[nodiscard]] HWND window() const noexcept { return window_; }

    WindowLog log;

private:
    HWND window_ = nullptr;
};

class LoggingFilter final : public PreDispatchFilter {
public:
    LoggingFilter(std::string name, std::vector<std::string>& log, UINT keeps) : name_(std::move(name)), log_(log), keeps_(keeps) {}
    bool filterMessage(MSG& message) override
    {
        if (message.message >= WM_USER || message.message == WM_KEYDOWN)
            log_.push_back(name_ + " " + std::to_string(message.message));
        return message.message == keeps_;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    UINT keeps_;
};

// Counts idle passes; the first one posts the message under test.
class CountingIdleTask final : public IdleTask {
public:
    CountingIdleTask(HWND window, UINT message) : window_(window), message_(message) {}
    void runIdle() override
    {
        if (++passes == 1)
            PostMessageW(window_, message_, 0, 0);
    }
    int passes = 0;

private:
    HWND window_;
    UINT message_;
};

TEST(MessageLoop, AnswersTheQuitCode)
{
    MessageLoop loop;
    PostQuitMessage(7);
    EXPECT_EQ(loop.run(), 7);
}

TEST(MessageLoop, AsksFiltersFromTheLastRegisteredAndStopsAtTheFirstThatKeepsTheMessage)
{
    RecordingWindow window;
    std::vector<std::string> log;
    LoggingFilter first("first", log, WM_APP + 1);
    LoggingFilter second("second", log, WM_APP + 3);
    MessageLoop loop;
    loop.addFilter(first);
    loop.addFilter(second);

    PostMessageW(window.window(), WM_APP + 1, 0, 0);
    PostMessageW(window.window(), WM_APP + 2, 0, 0);
    PostMessageW(window.window(), WM_APP + 3, 0, 0);
    PostQuitMessage(0);
    loop.run();

    const auto id = [](UINT message) { return std::to_string(message); };
    EXPECT_EQ(log, (std::vector<std::string>{"second " + id(WM_APP + 1), "first " + id(WM_APP + 1),
                                             "second " + id(WM_APP + 2), "first " + id(WM_APP + 2),
                                             "second " + id(WM_APP + 3)}));
    // Only the message no filter kept was dispatched.
    EXPECT_EQ(window.log.received, (std::vector<UINT>{WM_APP + 2}));
}

TEST(MessageLoop, TranslatesWhatNoFilterKeeps)
{
    RecordingWindow window;
    MessageLoop loop;
    PostMessageW(window.window(), WM_KEYDOWN, 'A', 1 | (MapVirtualKeyW('A', MAPVK_VK_TO_VSC) << 16));
    PostQuitMessage(0);
    loop.run();
    EXPECT_EQ(window.log.received, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
}

TEST(MessageLoop, AKeptMessageIsNeitherTranslatedNorDispatched)
{
    RecordingWindow window;
    std::vector<std::string> log;
    LoggingFilter keepsKeys("keys", log, WM_KEYDOWN);
    MessageLoop loop;
    loop.addFilter(keepsKeys);
    PostMessageW(window.window(), WM_KEYDOWN, 'A', 1 | (MapVirtualKeyW('A', MAPVK_VK_TO_VSC) << 16));
    PostQuitMessage(0);
    loop.run();
    EXPECT_TRUE(window.log.received.empty());
}

TEST(MessageLoop, RunsEachIdleTaskOncePerPassInRegistrationOrder)
{
    struct Named final : IdleTask {
        Named(char name, std::string& log) : name_(name), log_(log) {}
        void runIdle() override
        {
            log_ += name_;
            if (log_.size() == 2)
                PostQuitMessage(0);
        }
        char name_;
        std::string& log_;
    };
    std::string log;
    Named a('a', log);
    Named b('b', log);
    MessageLoop loop;
    loop.addIdleTask(a);
    loop.addIdleTask(b);
    loop.run();
    EXPECT_EQ(log, "ab");
}

TEST(MessageLoop, OpensWithAnIdlePeriodEvenAfterOnlyPaintMessages)
{
    RecordingWindow window;
    CountingIdleTask task(window.window(), WM_APP);
    window.log.wakeAfter = WM_APP;
    MessageLoop loop;
    loop.addIdleTask(task);
    PostMessageW(window.window(), WM_PAINT, 0, 0);
    ASSERT_EQ(loop.run(), 0);
    ASSERT_GE(window.log.received.size(), 1u);
    EXPECT_EQ(window.log.received.front(), UINT{WM_PAINT});
    // The opening pass, then one after WM_APP.
    EXPECT_EQ(task.passes, 2);
}

struct IdleCase {
    const char* name;
    UINT message;
    bool opensIdlePeriod;
};

class IdleRule : public testing::TestWithParam<IdleCase> {};

// The opening pass posts the message; the window then leaves the queue empty
// for a moment before a timer message ends the loop. An idle pass in that
// moment shows that the message opened an idle period.
TEST_P(IdleRule, OnlyPointerMovementPaintingCaretBlinkingAndTheAudioDeviceOpenNoIdlePeriod)
{
    RecordingWindow window;
    CountingIdleTask task(window.window(), GetParam().message);
    window.log.wakeAfter = GetParam().message;
    MessageLoop loop;
    loop.addIdleTask(task);
    ASSERT_EQ(loop.run(), 0);
    EXPECT_EQ(task.passes, GetParam().opensIdlePeriod ? 2 : 1);
    EXPECT_EQ(MessageLoop::opensIdlePeriod(GetParam().message), GetParam().opensIdlePeriod);
}

INSTANTIATE_TEST_SUITE_P(Messages, IdleRule,
                         testing::Values(IdleCase{"MouseMove", WM_MOUSEMOVE, false},
                                         IdleCase{"NonClientMouseMove", WM_NCMOUSEMOVE, false},
                                         IdleCase{"Paint", WM_PAINT, false},
                                         IdleCase{"CaretBlink", caretBlink, false},
                                         IdleCase{"AudioBufferDone", MM_WOM_DONE, false},
                                         IdleCase{"AudioDeviceOpen", MM_WOM_OPEN, false},
                                         IdleCase{"AudioDeviceClose", MM_WOM_CLOSE, false},
                                         IdleCase{"LeftButtonDown", WM_LBUTTONDOWN, true},
                                         IdleCase{"KeyDown", WM_KEYDOWN, true},
                                         IdleCase{"Timer", WM_TIMER, true},
                                         IdleCase{"NonClientButtonDown", WM_NCLBUTTONDOWN, true},
                                         IdleCase{"Command", WM_COMMAND, true}),
                         CaseNames::byName);

} // namespace

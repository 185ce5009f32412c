#include "MainDialogHarness.h"

#include "app/LoopRegistry.h"
#include "app/WindowsNT.h"

#include <thread>
#include <utility>

using namespace hwd;

namespace {

constexpr int idleQuitCode = -200;
constexpr UINT loopGuardMs = 10000;

std::function<void()> scheduledAction;

void CALLBACK runScheduledAction(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (const std::function<void()> action = std::exchange(scheduledAction, nullptr))
        action();
}

void CALLBACK guardTimeout(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostQuitMessage(MainDialogHarness::loopGuardCode);
}

} // namespace

void drainMessageQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

MainDialogHarness::MainDialogHarness(DialogController& controller)
{
    drainMessageQueue();
    setWindowsNT(false);
    LoopRegistry::instance().add(std::this_thread::get_id(), loop_);
    dialog_.emplace(controller, wave_);
    created_ = dialog_->create();
    // After the dialog's own registration, so that it runs after the dialog's task.
    loop_.addIdleTask(*this);
    if (created_) {
        ShowWindow(window(), SW_SHOWNORMAL);
        UpdateWindow(window());
    }
}

MainDialogHarness::~MainDialogHarness()
{
    LoopRegistry::instance().remove(std::this_thread::get_id());
    dialog_.reset();
    drainMessageQueue();
}

void MainDialogHarness::runIdle()
{
    if (quitAtIdle_) {
        quitAtIdle_ = false;
        PostQuitMessage(idleQuitCode);
    }
}

void MainDialogHarness::runUntilIdle()
{
    quitAtIdle_ = true;
    const UINT_PTR guard = SetTimer(nullptr, 0, loopGuardMs, &guardTimeout);
    loop_.run();
    KillTimer(nullptr, guard);
}

void MainDialogHarness::runUntilInputTaken()
{
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostQuitMessage(idleQuitCode);
    });
    const UINT_PTR guard = SetTimer(nullptr, 0, loopGuardMs, &guardTimeout);
    loop_.run();
    KillTimer(nullptr, guard);
}

int MainDialogHarness::run(std::function<void()> action)
{
    scheduledAction = std::move(action);
    SetTimer(nullptr, 0, 0, &runScheduledAction);
    const UINT_PTR guard = SetTimer(nullptr, 0, loopGuardMs, &guardTimeout);
    const int exitCode = loop_.run();
    KillTimer(nullptr, guard);
    return exitCode;
}

#pragma once

#include <windows.h>

#include <cstdio>

// Reports, on the standard output, how long after the process was created a
// dialog finished its first paint: "painted MS". The clock starts when the
// system created the process, so the loading of the program and its libraries
// counts as well.
namespace FirstPaint {

inline double millisecondsSinceProcessStart()
{
    FILETIME created{};
    FILETIME unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// Watches the thread's messages for the first WM_PAINT of a window of the
// dialog class with this caption; once none of the thread's windows has
// anything left to paint after it (its controls included), prints the time
// and posts IDCANCEL to the dialog, which ends it.
class Reporter final {
public:
    explicit Reporter(const wchar_t* caption) : caption_(caption)
    {
        active_ = this;
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, &Reporter::hookProcedure, nullptr, GetCurrentThreadId());
    }
    ~Reporter()
    {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && active_ != nullptr)
            active_->fetched(*message);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void fetched(const MSG& message)
    {
        if (reported_)
            return;
        if (dialog_ == nullptr && message.message == WM_PAINT && isTheDialog(message.hwnd)) {
            dialog_ = message.hwnd;
            // A timer message comes only once no window has anything left to paint.
            SetTimer(dialog_, paintedTimer, 0, nullptr);
        } else if (dialog_ != nullptr && message.message == WM_TIMER && message.wParam == paintedTimer) {
            KillTimer(dialog_, paintedTimer);
            reported_ = true;
            std::printf("painted %.1f\n", millisecondsSinceProcessStart());
            std::fflush(stdout);
            PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
        }
    }

    bool isTheDialog(HWND window) const
    {
        wchar_t caption[64] = {};
        wchar_t className[16] = {};
        GetWindowTextW(window, caption, 64);
        GetClassNameW(window, className, 16);
        return lstrcmpW(className, L"#32770") == 0 && lstrcmpW(caption, caption_) == 0;
    }

    static constexpr UINT_PTR paintedTimer = 0x4857;
    static inline Reporter* active_ = nullptr;
    const wchar_t* caption_;
    HHOOK hook_ = nullptr;
    HWND dialog_ = nullptr;
    bool reported_ = false;
};

} // namespace FirstPaint

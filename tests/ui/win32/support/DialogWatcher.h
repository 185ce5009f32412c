#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// Watches the dialogs that this thread activates while the watcher lives,
// through a WH_CBT hook. Every message box is read (text, caption, icon, owner)
// and closed with OK. A dialog the test names by its caption gets the test's
// script, run from inside that dialog's own modal loop once it is up.
// Watchers nest: the latest one alive does the watching.
class DialogWatcher final {
public:
    enum class Icon { None, Warning, Error, Other };

    struct MessageBoxSeen {
        std::wstring text;
        std::wstring caption;
        Icon icon = Icon::None;
        HWND owner = nullptr;

        friend bool operator==(const MessageBoxSeen&, const MessageBoxSeen&) = default;
        // A failed comparison shows the box as the user would read it.
        friend void PrintTo(const MessageBoxSeen& box, std::ostream* out);
    };

    DialogWatcher();
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // The next dialog captioned caption runs script(dialog) from its modal loop.
    // The script ends the dialog itself.
    void whenOpen(std::wstring caption, std::function<void(HWND)> script);

    // Every message box so far, in order.
    [[nodiscard]] const std::vector<MessageBoxSeen>& messageBoxes() const noexcept { return boxes_; }
    // How many dialogs with this caption (message boxes aside) have opened.
    [[nodiscard]] int opened(const std::wstring& caption) const;
    // Reports every message box as a failure of the running test (the
    // watcher of last resort, so that a box nobody expected fails a test
    // instead of waiting for a click).
    bool failOnMessageBox = false;
    // Called with each message box as it appears, before it has painted.
    std::function<void(HWND)> onMessageBox;

private:
    struct Script {
        std::wstring caption;
        std::function<void(HWND)> run;
    };

    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK timerProcedure(HWND, UINT, UINT_PTR timer, DWORD);
    void activated(HWND window);

    DialogWatcher* previous_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<Script> scripts_;
    std::vector<MessageBoxSeen> boxes_;
    std::vector<std::wstring> openedCaptions_;
    std::set<HWND> seen_;
    // The script waiting for its timer, and its dialog.
    std::function<void(HWND)> due_;
    HWND dueWindow_ = nullptr;
};

// The text of a window.
[[nodiscard]] std::wstring windowText(HWND window);
// Whether window is a dialog of the system's dialog class.
[[nodiscard]] bool isDialogClass(HWND window);

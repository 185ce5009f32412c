#include "DialogWatcher.h"

#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

DialogWatcher* activeWatcher = nullptr;

bool isMessageBox(HWND dialog)
{
    // A message box's text is the static 0xFFFF, which none of our templates
    // has; the template controls rule out our own dialogs all the same.
    return GetDlgItem(dialog, 0xFFFF) != nullptr && GetDlgItem(dialog, IDC_SEND) == nullptr
           && GetDlgItem(dialog, IDC_WAVE_VIEW) == nullptr && GetDlgItem(dialog, ID_APP_ABOUT) == nullptr;
}

DialogWatcher::Icon iconOf(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon == nullptr)
            return DialogWatcher::Icon::None;
        if (icon == LoadIconW(nullptr, IDI_WARNING))
            return DialogWatcher::Icon::Warning;
        if (icon == LoadIconW(nullptr, IDI_ERROR))
            return DialogWatcher::Icon::Error;
        return DialogWatcher::Icon::Other;
    }
    return DialogWatcher::Icon::None;
}

} // namespace

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool isDialogClass(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return std::wstring_view(className) == L"#32770";
}

DialogWatcher::DialogWatcher() : previous_(activeWatcher)
{
    activeWatcher = this;
    hook_ = SetWindowsHookExW(WH_CBT, &DialogWatcher::hookProcedure, nullptr, GetCurrentThreadId());
}

DialogWatcher::~DialogWatcher()
{
    UnhookWindowsHookEx(hook_);
    activeWatcher = previous_;
}

void DialogWatcher::whenOpen(std::wstring caption, std::function<void(HWND)> script)
{
    scripts_.push_back({std::move(caption), std::move(script)});
}

int DialogWatcher::opened(const std::wstring& caption) const
{
    return static_cast<int>(std::count(openedCaptions_.begin(), openedCaptions_.end(), caption));
}

LRESULT CALLBACK DialogWatcher::hookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activeWatcher != nullptr)
        activeWatcher->activated(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogWatcher::activated(HWND window)
{
    if (!isDialogClass(window) || !seen_.insert(window).second)
        return;
    const std::wstring caption = windowText(window);
    if (isMessageBox(window)) {
        boxes_.push_back({windowText(GetDlgItem(window, 0xFFFF)), caption, iconOf(window), GetWindow(window, GW_OWNER)});
        if (failOnMessageBox) {
            const std::wstring& text = boxes_.back().text;
            ADD_FAILURE() << "unexpected message box: " << std::string(text.begin(), text.end());
        }
        if (onMessageBox)
            onMessageBox(window);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        return;
    }
    openedCaptions_.push_back(caption);
    const auto script = std::find_if(scripts_.begin(), scripts_.end(), [&](const Script& s) { return s.caption == caption; });
    if (script == scripts_.end())
        return;
    // From a timer, so that the script runs inside the dialog's modal loop
    // once the dialog is up, not inside its activation.
    due_ = std::move(script->run);
    dueWindow_ = window;
    scripts_.erase(script);
    SetTimer(nullptr, 0, 0, &DialogWatcher::timerProcedure);
}

void CALLBACK DialogWatcher::timerProcedure(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (activeWatcher == nullptr || !activeWatcher->due_)
        return;
    const std::function<void(HWND)> script = std::move(activeWatcher->due_);
    activeWatcher->due_ = nullptr;
    script(activeWatcher->dueWindow_);
}

void PrintTo(const DialogWatcher::MessageBoxSeen& box, std::ostream* out)
{
    static constexpr const char* iconNames[] = {"no icon", "warning", "error", "other icon"};
    *out << testing::PrintToString(box.text) << " | " << testing::PrintToString(box.caption) << " | "
         << iconNames[static_cast<int>(box.icon)] << " | owner " << box.owner;
}

#include "WindowControls.h"

#include "DialogWindow.h"
#include "FileChooser.h"
#include "PictureMenu.h"
#include "TextConversion.h"

#include <string>
#include <utility>

namespace hwd {

namespace {

// Posted to the dialog for each action asked for later: it comes after the
// messages already waiting, in the order asked.
constexpr UINT WM_RUN_LATER = WM_APP + 1;

} // namespace

HWND WindowControls::dialog() const noexcept
{
    return dialog_.window();
}

HWND WindowControls::control(int controlId) const noexcept
{
    if (dialog() == nullptr)
        return nullptr;
    return controlId == 0 ? dialog() : GetDlgItem(dialog(), controlId);
}

void WindowControls::enableControl(int controlId, bool enabled)
{
    if (const HWND window = control(controlId))
        EnableWindow(window, enabled);
}

void WindowControls::setControlText(int controlId, std::string_view utf8)
{
    const HWND window = control(controlId);
    if (window == nullptr)
        return;
    // The edit control reports its new text from inside SetWindowTextW.
    settingTextOf_ = window;
    SetWindowTextW(window, TextConversion::widenUtf8(utf8).c_str());
    settingTextOf_ = nullptr;
}

std::string WindowControls::controlText(int controlId) const
{
    const HWND window = control(controlId);
    if (window == nullptr)
        return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return TextConversion::narrowToUtf8(text);
}

void WindowControls::setControlPath(int controlId, const std::filesystem::path& path)
{
    // The static's path ellipsis shortens a long path in its middle.
    if (const HWND window = control(controlId))
        SetWindowTextW(window, path.c_str());
}

void WindowControls::setToolTip(int controlId, std::string_view utf8)
{
    toolTips_.set(dialog(), control(controlId), utf8);
}

void WindowControls::repaintControl(int controlId)
{
    if (const HWND window = control(controlId))
        InvalidateRect(window, nullptr, TRUE);
}

void WindowControls::addListItem(int listId, std::string_view label, long data)
{
    const HWND list = control(listId);
    if (list == nullptr)
        return;
    // Port names come in the system's code page.
    const std::wstring text = TextConversion::widenAnsi(label);
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0)
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

void WindowControls::selectListItem(int listId, int index)
{
    const HWND list = control(listId);
    if (list == nullptr)
        return;
    // -1 clears the selection; an index past the end may leave it as it was.
    const bool exists = index >= 0 && index < SendMessageW(list, CB_GETCOUNT, 0, 0);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(exists ? index : -1), 0);
}

long WindowControls::selectedListData(int listId) const
{
    const HWND list = control(listId);
    const LRESULT index = list != nullptr ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index < 0)
        return -1;
    return static_cast<long>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void WindowControls::focusControl(int controlId)
{
    const HWND window = control(controlId);
    if (window == nullptr)
        return;
    // The dialog's default handling would pass its own focus on to the
    // control that had it last, which may be the one just disabled.
    focusingDialog_ = window == dialog();
    SetFocus(window);
    focusingDialog_ = false;
}

int WindowControls::focusedControl() const
{
    HWND focus = GetFocus();
    if (dialog() == nullptr || focus == nullptr || !IsChild(dialog(), focus))
        return 0;
    // A control's own child (a combo box's edit) counts as the control.
    while (GetParent(focus) != dialog())
        focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

void WindowControls::showMessage(std::string_view text, MessageIcon icon)
{
    // The loader's and the system's texts come in the system's code page.
    const UINT iconFlag = icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONERROR;
    MessageBoxW(dialog(), TextConversion::widenAnsi(text).c_str(),
                TextConversion::widenUtf8(applicationCaption).c_str(), MB_OK | iconFlag | MB_SETFOREGROUND);
}

std::optional<std::filesystem::path> WindowControls::chooseFileToOpen(OpenTypes types)
{
    return FileChooser(dialog()).chooseFileToOpen(types);
}

std::optional<std::filesystem::path> WindowControls::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                      SaveTypes types)
{
    return FileChooser(dialog()).chooseSaveTarget(suggested, types);
}

int WindowControls::popUpMenu(std::span<const MenuItem> items, int nearControl, std::optional<Point> screenPoint)
{
    POINT at{};
    if (screenPoint) {
        at = {screenPoint->x, screenPoint->y};
    } else if (const HWND anchor = control(nearControl)) {
        // From the keyboard: at the middle of the control.
        RECT frame{};
        GetWindowRect(anchor, &frame);
        at = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    }
    return PictureMenu::popUp(dialog(), items, at);
}

void WindowControls::later(std::function<void()> action)
{
    laterActions_.push_back(std::move(action));
    if (dialog() == nullptr || !PostMessageW(dialog(), WM_RUN_LATER, 0, 0))
        laterActions_.pop_back();
}

std::optional<LRESULT> WindowControls::handleControlsMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_RUN_LATER:
        if (!laterActions_.empty()) {
            const std::function<void()> action = std::move(laterActions_.front());
            laterActions_.pop_front();
            action();
        }
        return 0;
    case WM_SETFOCUS:
        if (focusingDialog_)
            return 0;
        return std::nullopt;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && settingTextOf_ != nullptr
            && reinterpret_cast<HWND>(lParam) == settingTextOf_)
            return 0;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace hwd

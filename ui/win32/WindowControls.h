#pragma once

#include "ToolTips.h"
#include "app/DialogControls.h"
#include "app/DialogController.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>

namespace hwd {

class DialogWindow;

// A controller's requests carried out on a dialog window made from its
// template: its controls found by their ids, message boxes and file dialogs
// owned by the dialog, the picture's menu at the picture. Ending the dialog
// and opening other windows over it or beside it are the window's own.
class WindowControls : public DialogControls {
public:
    explicit WindowControls(const DialogWindow& dialog) noexcept : dialog_(dialog) {}

    void enableControl(int controlId, bool enabled) override;
    // A change of an edit field's text made here is not the user's: its
    // EN_CHANGE is swallowed.
    void setControlText(int controlId, std::string_view utf8) override;
    [[nodiscard]] std::string controlText(int controlId) const override;
    void setControlPath(int controlId, const std::filesystem::path& path) override;
    void setToolTip(int controlId, std::string_view utf8) override;
    void repaintControl(int controlId) override;
    void addListItem(int listId, std::string_view label, long data) override;
    void selectListItem(int listId, int index) override;
    [[nodiscard]] long selectedListData(int listId) const override;
    void focusControl(int controlId) override;
    [[nodiscard]] int focusedControl() const override;
    void showMessage(std::string_view text, MessageIcon icon) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                                      SaveTypes types) override;
    [[nodiscard]] int popUpMenu(std::span<const MenuItem> items, int nearControl,
                                std::optional<Point> screenPoint) override;
    void later(std::function<void()> action) override;

    [[nodiscard]] HWND toolTipWindow() const noexcept { return toolTips_.window(); }

protected:
    // The dialog's messages that these requests depend on: the turn of an
    // action asked for later, the focus given to the dialog itself, and the
    // change notice of a text set here. A result for those, nothing for the rest.
    std::optional<LRESULT> handleControlsMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    [[nodiscard]] HWND dialog() const noexcept;
    // The dialog itself for control 0.
    [[nodiscard]] HWND control(int controlId) const noexcept;

    const DialogWindow& dialog_;
    ToolTips toolTips_;
    std::deque<std::function<void()>> laterActions_;
    bool focusingDialog_ = false;
    HWND settingTextOf_ = nullptr;
};

// What a WM_COMMAND notification code reports: 0 a click (BN_CLICKED,
// STN_CLICKED), 1 a picture's double click (STN_DBLCLK), EN_CHANGE an edit
// field's new text, anything else something else.
[[nodiscard]] constexpr ControlEvent controlEventFor(WORD notification) noexcept
{
    switch (notification) {
    case 0:
        return ControlEvent::Clicked;
    case 1:
        return ControlEvent::DoubleClicked;
    case EN_CHANGE:
        return ControlEvent::Changed;
    default:
        return ControlEvent::Other;
    }
}

} // namespace hwd

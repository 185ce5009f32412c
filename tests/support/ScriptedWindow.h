#pragma once

#include "app/DialogControls.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A dialog's window without a display, for the controllers' tests: it writes
// down each request in a log shared by the windows of one test ("main: repaint
// 1004", "tweaker: box warning: ..."), keeps the lists and the enabling, and
// answers the file dialogs, menus and modal runs as the test scripted them.
class ScriptedWindow final : public hwd::DialogControls {
public:
    using Log = std::vector<std::string>;
    struct Item {
        std::string label;
        long data = 0;
    };

    ScriptedWindow(std::string name, Log& log) : name_(std::move(name)), log_(log) {}

    // --- The script. ---
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;
    int menuPick = 0;
    // The control with the focus; 0 for the dialog itself.
    int focus = 0;
    // Runs a modal dialog; answers its code. Unset: logged and answers 0.
    std::function<int(int templateId, hwd::DialogController* controller)> modal;
    std::function<void(int templateId, hwd::DialogController& controller)> modeless;

    // --- What the window holds. ---
    std::map<int, std::vector<Item>> lists;
    std::map<int, int> selected;
    std::map<int, bool> enabled;
    std::map<int, std::string> toolTips;
    std::map<int, std::string> texts;
    std::vector<std::vector<hwd::MenuItem>> menusShown;
    std::deque<std::function<void()>> laterActions;

    // Runs the actions queued with later, as the loop would.
    void runLater();
    [[nodiscard]] std::vector<std::string> labels(int listId) const;

    void enableControl(int controlId, bool on) override;
    void setControlText(int controlId, std::string_view utf8) override;
    [[nodiscard]] std::string controlText(int controlId) const override;
    void setControlPath(int controlId, const std::filesystem::path& path) override;
    void setToolTip(int controlId, std::string_view utf8) override;
    void repaintControl(int controlId) override;
    void addListItem(int listId, std::string_view label, long data) override;
    void selectListItem(int listId, int index) override;
    [[nodiscard]] long selectedListData(int listId) const override;
    void focusControl(int controlId) override;
    [[nodiscard]] int focusedControl() const override { return focus; }
    void showMessage(std::string_view text, hwd::MessageIcon icon) override;
    std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types) override;
    std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                         SaveTypes types) override;
    int popUpMenu(std::span<const hwd::MenuItem> items, int nearControl,
                  std::optional<hwd::Point> screenPoint) override;
    int runModal(int templateId, hwd::DialogController* controller) override;
    // Logged; modeless runs the window, initialising controller with the
    // window it gives (unset: nothing more).
    void openModeless(int templateId, hwd::DialogController& controller) override;
    void later(std::function<void()> action) override;
    void endDialog(int code) override;

private:
    void write(const std::string& entry) { log_.push_back(name_ + ": " + entry); }

    std::string name_;
    Log& log_;
};

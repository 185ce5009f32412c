#pragma once

#include "Geometry.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hwd {

class DialogController;

// Every message box's caption.
inline constexpr const char* applicationCaption = "Harlix Wave Dump";

enum class MessageIcon { Warning, Error };

// One entry of a popup menu, as a controller wants it shown.
struct MenuItem {
    int commandId;
    const char* label;    // UTF-8, '&' before the access key
    const char* shortcut; // shown beside the label: "Ctrl+O"
    bool enabled;
    bool checkable;
    bool checked;
};

// What a dialog's controller asks of its native window: the few calls through
// which the shared rules touch controls, each front end's own. Controls are
// named by their template ids; control 0 is the dialog itself.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    // At once; the deferred enabling of Send and Reload is the controller's.
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual void setControlText(int controlId, std::string_view utf8) = 0;
    // An edit field's text, UTF-8.
    [[nodiscard]] virtual std::string controlText(int controlId) const = 0;
    // A file's name, shown as the system shows file names.
    virtual void setControlPath(int controlId, const std::filesystem::path& path) = 0;
    // Empty: no tooltip.
    virtual void setToolTip(int controlId, std::string_view utf8) = 0;
    // The whole control, with its background erased.
    virtual void repaintControl(int controlId) = 0;

    // Drop-down lists: items kept in the order added, an integer datum each,
    // at most one selected; an index that does not exist selects nothing.
    virtual void addListItem(int listId, std::string_view label, long data) = 0;
    virtual void selectListItem(int listId, int index) = 0;
    // The selected item's datum; -1 when nothing is selected.
    [[nodiscard]] virtual long selectedListData(int listId) const = 0;

    virtual void focusControl(int controlId) = 0;
    // The control with the keyboard focus; 0 when it is the dialog itself or
    // no control of this dialog.
    [[nodiscard]] virtual int focusedControl() const = 0;

    // Modal, owned by this window, captioned with the program's name, one OK
    // button, brought to the foreground.
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
    // The system's file dialogs, owned by this window; nothing when cancelled.
    // A save name typed without an extension gets the one of the type chosen
    // (WAV file or SysEx dump).
    // Open offers WAV files; a bank also SysEx dumps.
    enum class OpenTypes { waveFiles, waveFilesAndDumps };
    [[nodiscard]] virtual std::optional<std::filesystem::path> chooseFileToOpen(
        OpenTypes types) = 0;
    // Save offers a wave as a WAV file or a SysEx dump; a bank as a SysEx dump
    // or as WAV files in a folder, which the name chosen names (no extension
    // added).
    enum class SaveTypes { wave, bank };
    [[nodiscard]] virtual std::optional<std::filesystem::path> chooseSaveTarget(
        const std::filesystem::path& suggested, SaveTypes types) = 0;
    // A popup menu at a point of the screen, or over control nearControl when
    // there is none (asked from the keyboard); the command picked, or 0.
    [[nodiscard]] virtual int popUpMenu(std::span<const MenuItem> items, int nearControl,
                                        std::optional<Point> screenPoint) = 0;
    // Runs the dialog of template templateId modally, owned by the window that
    // is active now, driven by controller (none for the About box); answers
    // the code it ended with.
    virtual int runModal(int templateId, DialogController* controller) = 0;
    // Shows the window of template templateId beside this one, owned by it,
    // driven by controller, which must outlive it; when that window is open
    // already, brings it to the front. Its endDialog closes it.
    virtual void openModeless(int templateId, DialogController& controller) = 0;

    // Runs action once the messages already waiting have been handled.
    virtual void later(std::function<void()> action) = 0;
    // Ends the dialog with code.
    virtual void endDialog(int code) = 0;
};

} // namespace hwd

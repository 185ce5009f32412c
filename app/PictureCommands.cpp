#include "PictureCommands.h"

#include "ResourceIds.h"

#include <algorithm>
#include <array>

namespace hwd {

namespace {

constexpr std::array entries{
    PictureMenuEntry{ID_FILE_OPEN, "&Open\u2026", "Ctrl+O", 'O'},
    PictureMenuEntry{ID_FILE_SAVE_AS, "&Save Wave As\u2026", "Ctrl+S", 'S'},
    PictureMenuEntry{ID_LISTEN, "&Listen", "Ctrl+L", 'L'},
    PictureMenuEntry{ID_EDIT_WAVE, "&Edit Wave\u2026", "Ctrl+E", 'E'},
    PictureMenuEntry{ID_IMPORT_CYCLE, "&Import Cycle\u2026", "Ctrl+I", 'I'},
    PictureMenuEntry{ID_BANK, "&Bank\u2026", "Ctrl+B", 'B'},
};

} // namespace

std::span<const PictureMenuEntry> pictureMenuEntries() noexcept
{
    return entries;
}

bool pictureHasCommand(int commandId, PictureWindow where) noexcept
{
    const bool known = std::any_of(entries.begin(), entries.end(),
                                   [commandId](const PictureMenuEntry& entry) { return entry.commandId == commandId; });
    if (!known)
        return false;
    switch (where) {
    case PictureWindow::mainDialog:
        return true;
    case PictureWindow::waveTweaker:
        return commandId != ID_EDIT_WAVE && commandId != ID_IMPORT_CYCLE && commandId != ID_BANK;
    case PictureWindow::importCycle:
        return commandId == ID_LISTEN;
    case PictureWindow::bank:
        return false;
    }
    return false;
}

int pictureCommandForKey(char key, PictureWindow where) noexcept
{
    const char upper = key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    for (const PictureMenuEntry& entry : entries) {
        if (entry.shortcutKey == upper && pictureHasCommand(entry.commandId, where))
            return entry.commandId;
    }
    return 0;
}

bool pictureCommandEnabled(int commandId, PictureWindow where, const PictureCommandState& state) noexcept
{
    switch (commandId) {
    case ID_FILE_OPEN:
    case ID_IMPORT_CYCLE:
    case ID_BANK:
        return where == PictureWindow::mainDialog;
    case ID_FILE_SAVE_AS:
        return state.waveLoaded;
    case ID_LISTEN:
        return true;
    case ID_EDIT_WAVE:
        return where == PictureWindow::mainDialog && state.mayEditWave;
    default:
        return false;
    }
}

std::vector<MenuItem> pictureMenuItems(PictureWindow where, const PictureCommandState& state)
{
    std::vector<MenuItem> items;
    for (const PictureMenuEntry& entry : entries) {
        if (!pictureHasCommand(entry.commandId, where))
            continue;
        const bool listen = entry.commandId == ID_LISTEN;
        items.push_back({entry.commandId, entry.label, entry.shortcutText,
                         pictureCommandEnabled(entry.commandId, where, state), listen, listen && state.listening});
    }
    return items;
}

const char* waveViewToolTip(bool mayEditWave) noexcept
{
    return mayEditWave ? "Double-click to edit the wave.\nRight-click for Open, Save Wave As and Listen."
                       : "Right-click for Open, Save Wave As and Listen.";
}

} // namespace hwd

#include "PictureMenu.h"

#include "ResourceIds.h"

#include <array>

namespace hwd {

namespace {

constexpr std::array entries{
    PictureMenuEntry{ID_FILE_OPEN, "&Open\u2026", "Ctrl+O", 'O'},
    PictureMenuEntry{ID_FILE_SAVE_AS, "&Save Wave As\u2026", "Ctrl+S", 'S'},
    PictureMenuEntry{ID_LISTEN, "&Listen", "Ctrl+L", 'L'},
};

} // namespace

std::span<const PictureMenuEntry> pictureMenuEntries() noexcept
{
    return entries;
}

int pictureCommandForKey(char key) noexcept
{
    const char upper = key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    for (const PictureMenuEntry& entry : entries) {
        if (entry.shortcutKey == upper)
            return entry.commandId;
    }
    return 0;
}

bool pictureCommandEnabled(int commandId, PictureWindow where, bool waveLoaded) noexcept
{
    switch (commandId) {
    case ID_FILE_OPEN:
        return where == PictureWindow::mainDialog;
    case ID_FILE_SAVE_AS:
        return waveLoaded;
    case ID_LISTEN:
        return true;
    default:
        return false;
    }
}

} // namespace hwd

#pragma once

#include "app/FileChooser.h"

#include <windows.h>


namespace hwd {

// The system's Open and Save As dialogs, owned by the window whose command
// opened them. Paths of any length and in any script come back whole, and the
// current folder is as before once a dialog has closed.
class Win32FileChooser final : public FileChooser {
public:
    void setOwner(HWND owner) noexcept { owner_ = owner; }

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen() override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(
        const std::filesystem::path& suggested) override;

    // The dialogs' titles, by which a test finds them.
    static constexpr const wchar_t* openTitle = L"Open";
    static constexpr const wchar_t* saveTitle = L"Save Wave As";

private:
    HWND owner_ = nullptr;
};

// The extension of the Save dialog's file type (1: WAV file, 2: SysEx dump)
// appended to a name typed without one; any other name is kept as typed.
[[nodiscard]] std::filesystem::path withSaveTypeExtension(std::filesystem::path chosen, DWORD filterIndex);

} // namespace hwd

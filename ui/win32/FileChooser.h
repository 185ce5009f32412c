#pragma once

#include "app/DialogControls.h"

#include <windows.h>

#include <filesystem>
#include <optional>

namespace hwd {

// Open, Save Wave As and the bank's Open Bank and Save Bank As on the
// system's file dialogs, owned by the window whose command opened them. All
// answer nothing when the user cancels; a save name typed without an
// extension gets the one of the file type chosen, except a bank's folder of
// WAV files, which the name names. Paths of any length and in any script come
// back whole, and the current folder is as before once a dialog has closed.
class FileChooser final {
public:
    using OpenTypes = DialogControls::OpenTypes;
    using SaveTypes = DialogControls::SaveTypes;

    explicit FileChooser(HWND owner) noexcept : owner_(owner) {}

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types = OpenTypes::waveFiles);
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                                        SaveTypes types = SaveTypes::wave);

private:
    HWND owner_;
};

// The extension of the Save dialog's file type (a wave: 1 WAV file, 2 SysEx
// dump; a bank: 1 SysEx dump, 2 a folder, which gets none) appended to a name
// typed without one; any other name is kept as typed.
[[nodiscard]] std::filesystem::path withSaveTypeExtension(std::filesystem::path chosen, DWORD filterIndex,
                                                          FileChooser::SaveTypes types = FileChooser::SaveTypes::wave);

} // namespace hwd

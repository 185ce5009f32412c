#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

namespace hwd {

// Open and Save Wave As on the system's file dialogs, owned by the window
// whose command opened them. Both answer nothing when the user cancels; a save
// name typed without an extension gets the one of the file type chosen. Paths
// of any length and in any script come back whole, and the current folder is
// as before once a dialog has closed.
class FileChooser final {
public:
    explicit FileChooser(HWND owner) noexcept : owner_(owner) {}

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen();
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested);

private:
    HWND owner_;
};

// The extension of the Save dialog's file type (1: WAV file, 2: SysEx dump)
// appended to a name typed without one; any other name is kept as typed.
[[nodiscard]] std::filesystem::path withSaveTypeExtension(std::filesystem::path chosen, DWORD filterIndex);

} // namespace hwd

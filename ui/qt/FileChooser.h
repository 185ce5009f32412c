#pragma once

#include "app/DialogControls.h"

#include <filesystem>
#include <optional>

class QWidget;

namespace hwd {

// Open, Save Wave As and the bank's Open Bank and Save Bank As on Qt's file
// dialogs (the desktop's own where Qt has one), owned by the window whose
// command opened them. All answer nothing when the user cancels; a save name
// typed without an extension gets the one of the file type chosen, except a
// bank's folder of WAV files, which the name names.
class FileChooser final {
public:
    explicit FileChooser(QWidget& owner) noexcept : owner_(owner) {}

    using OpenTypes = DialogControls::OpenTypes;
    using SaveTypes = DialogControls::SaveTypes;

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types = OpenTypes::waveFiles);
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                                        SaveTypes types = SaveTypes::wave);

private:
    QWidget& owner_;
};

} // namespace hwd

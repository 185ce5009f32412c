#pragma once

#include <filesystem>
#include <optional>

namespace hwd {

// The platform's file dialogs, as Open and Save Wave As use them. Both answer
// nothing when the user cancels.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A WAV file to open.
    [[nodiscard]] virtual std::optional<std::filesystem::path> chooseFileToOpen() = 0;
    // Where to save the wave, offering suggested (a name in a folder), as a
    // WAV file or a SysEx dump. A name typed without an extension gets the one
    // of the file type chosen, so the answer ends in .wav or .syx unless the
    // user typed another extension.
    [[nodiscard]] virtual std::optional<std::filesystem::path> chooseSaveTarget(
        const std::filesystem::path& suggested) = 0;
};

} // namespace hwd

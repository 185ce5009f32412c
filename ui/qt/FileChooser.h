#pragma once

#include <filesystem>
#include <optional>

class QWidget;

namespace hwd {

// Open and Save Wave As on Qt's file dialogs (the desktop's own where Qt has
// one), owned by the window whose command opened them. Both answer nothing
// when the user cancels; a save name typed without an extension gets the one
// of the file type chosen.
class FileChooser final {
public:
    explicit FileChooser(QWidget& owner) noexcept : owner_(owner) {}

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen();
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested);

private:
    QWidget& owner_;
};

} // namespace hwd

#pragma once

#include "app/FileChooser.h"

class QWidget;

namespace hwd {

// Open and Save Wave As on Qt's file dialogs (the desktop's own where Qt has
// one). Each dialog is owned by the modal window on top, such as the Wave
// Tweaker, or else by the main dialog.
class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget& mainWindow) noexcept : mainWindow_(mainWindow) {}

    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen() override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(
        const std::filesystem::path& suggested) override;

private:
    [[nodiscard]] QWidget* owner() const;

    QWidget& mainWindow_;
};

} // namespace hwd

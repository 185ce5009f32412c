#pragma once

#include "FileChooser.h"
#include "app/DialogControls.h"

#include <QPointer>

class QWidget;

namespace hwd {

struct DialogTemplate;

// A controller's requests carried out on a Qt window built from its template:
// its children found by their template names, message boxes and file dialogs
// owned by the window, the picture's menu at the picture. Ending the dialog
// and running modal dialogs over it are the window's own.
class WindowControls : public DialogControls {
public:
    WindowControls(QWidget& window, const DialogTemplate& dialogTemplate) noexcept;

    void enableControl(int controlId, bool enabled) override;
    void setControlText(int controlId, std::string_view utf8) override;
    [[nodiscard]] std::string controlText(int controlId) const override;
    void setControlPath(int controlId, const std::filesystem::path& path) override;
    void setToolTip(int controlId, std::string_view utf8) override;
    void repaintControl(int controlId) override;
    void addListItem(int listId, std::string_view label, long data) override;
    void selectListItem(int listId, int index) override;
    [[nodiscard]] long selectedListData(int listId) const override;
    void focusControl(int controlId) override;
    [[nodiscard]] int focusedControl() const override;
    void showMessage(std::string_view text, MessageIcon icon) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                                        SaveTypes types) override;
    [[nodiscard]] int popUpMenu(std::span<const MenuItem> items, int nearControl,
                                std::optional<Point> screenPoint) override;
    void later(std::function<void()> action) override;
    void openModeless(int templateId, DialogController& controller) override;

private:
    [[nodiscard]] QWidget* control(int controlId) const;

    QWidget& window_;
    const DialogTemplate& template_;
    FileChooser chooser_;
};

} // namespace hwd

#pragma once

#include "transfer/SenderControls.h"

class QComboBox;
class QWidget;

namespace hwd {

// The sender's drop-down list on a QComboBox: items in insertion order, the
// integer datum in Qt::UserRole.
class QtListControl final : public ListControl {
public:
    explicit QtListControl(QComboBox& comboBox) noexcept : comboBox_(comboBox) {}

    int addItem(const char* label) override;
    void setItemData(int index, long data) override;
    void setCurrentIndex(int index) override;
    [[nodiscard]] int currentIndex() const override;
    [[nodiscard]] long itemData(int index) const override;

private:
    QComboBox& comboBox_;
};

// Message boxes owned by the main dialog: one OK button, modal, brought to the
// front so that a failure is seen even when another program is in front.
class QtMessagePresenter final : public MessagePresenter {
public:
    explicit QtMessagePresenter(QWidget& owner) noexcept : owner_(owner) {}

    void show(const char* text, const char* caption, MessageIcon icon) override;

private:
    QWidget& owner_;
};

} // namespace hwd

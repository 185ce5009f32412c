#pragma once

#include "transfer/SenderControls.h"

#include <windows.h>

namespace hwd {

// The sender's drop-down list as a combo box of a dialog: items in insertion
// order (the template's lists are unsorted), an integer datum per item.
class ComboBoxList final : public ListControl {
public:
    explicit ComboBoxList(HWND comboBox) noexcept : comboBox_(comboBox) {}

    int addItem(const char* label) override;
    void setItemData(int index, long data) override;
    void setCurrentIndex(int index) override;
    [[nodiscard]] int currentIndex() const override;
    [[nodiscard]] long itemData(int index) const override;

private:
    HWND comboBox_;
};

// The flags of a box: the icon, and brought to the foreground.
[[nodiscard]] UINT messageBoxFlags(MessageIcon icon) noexcept;

// Message boxes owned by one window (the main dialog), single OK button.
class Win32MessagePresenter final : public MessagePresenter {
public:
    void setOwner(HWND owner) noexcept { owner_ = owner; }
    void show(const char* text, const char* caption, MessageIcon icon) override;

private:
    HWND owner_ = nullptr;
};

} // namespace hwd

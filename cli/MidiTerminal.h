#pragma once

#include "transfer/SenderControls.h"

#include <string>
#include <vector>

namespace hwd {

// The sender's lists and message boxes for the terminal: the lists are kept in
// memory for the command to read and select, and each box is one line on
// standard error.

class TerminalListControl final : public ListControl {
public:
    struct Item {
        std::string label;
        long data = 0;
    };

    [[nodiscard]] const std::vector<Item>& items() const noexcept { return items_; }
    // The index of the item whose datum is data, or -1.
    [[nodiscard]] int indexOfData(long data) const noexcept;

    int addItem(const char* label) override;
    void setItemData(int index, long data) override;
    // As the platform's list: an index that does not exist selects nothing.
    void setCurrentIndex(int index) override;
    [[nodiscard]] int currentIndex() const override { return selected_; }
    [[nodiscard]] long itemData(int index) const override;

private:
    std::vector<Item> items_;
    int selected_ = -1;
};

class TerminalMessagePresenter final : public MessagePresenter {
public:
    // Prints the text as it stands (line breaks made blanks); the caption and icon
    // say nothing more on a terminal.
    void show(const char* text, const char* caption, MessageIcon icon) override;

    [[nodiscard]] int shown() const noexcept { return shown_; }

private:
    int shown_ = 0;
};

} // namespace hwd

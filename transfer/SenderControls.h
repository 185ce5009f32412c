#pragma once

namespace hwd {

// What the sender needs of the user interface, so that it builds with the
// standard library alone: the desktop program hands it a combo box and a message
// box, the command-line tool its own terminal versions.

// A drop-down list that keeps its items in insertion order, an integer datum per
// item and at most one selected item.
class ListControl {
public:
    virtual ~ListControl() = default;
    // Appends an item and answers its index.
    virtual int addItem(const char* label) = 0;
    virtual void setItemData(int index, long data) = 0;
    virtual void setCurrentIndex(int index) = 0;
    // -1 when nothing is selected.
    [[nodiscard]] virtual int currentIndex() const = 0;
    // -1 for index -1.
    [[nodiscard]] virtual long itemData(int index) const = 0;
};

enum class MessageIcon { Warning, Error };

// A modal message box with a caption, an icon and a single OK button, owned by
// the main window and brought to the front.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void show(const char* text, const char* caption, MessageIcon icon) = 0;
};

inline constexpr const char* applicationCaption = "Harlix Wave Dump";

} // namespace hwd

#include "MidiTerminal.h"

#include <cstdio>

namespace hwd {

int TerminalListControl::indexOfData(long data) const noexcept
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].data == data)
            return static_cast<int>(i);
    }
    return -1;
}

int TerminalListControl::addItem(const char* label)
{
    items_.push_back({label, 0});
    return static_cast<int>(items_.size()) - 1;
}

void TerminalListControl::setItemData(int index, long data)
{
    if (index >= 0 && static_cast<std::size_t>(index) < items_.size())
        items_[static_cast<std::size_t>(index)].data = data;
}

void TerminalListControl::setCurrentIndex(int index)
{
    selected_ = index >= 0 && static_cast<std::size_t>(index) < items_.size() ? index : -1;
}

long TerminalListControl::itemData(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
        return -1;
    return items_[static_cast<std::size_t>(index)].data;
}

void TerminalMessagePresenter::show(const char* text, const char*, MessageIcon)
{
    ++shown_;
    for (const char* c = text; *c != '\0'; ++c)
        std::fputc(*c == '\n' || *c == '\r' ? ' ' : *c, stderr);
    std::fputc('\n', stderr);
}

} // namespace hwd

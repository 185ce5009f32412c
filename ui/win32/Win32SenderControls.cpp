#include "Win32SenderControls.h"

#include "TextConversion.h"

namespace hwd {

int ComboBoxList::addItem(const char* label)
{
    const std::wstring text = TextConversion::widenAnsi(label);
    return static_cast<int>(SendMessageW(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void ComboBoxList::setItemData(int index, long data)
{
    SendMessageW(comboBox_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

void ComboBoxList::setCurrentIndex(int index)
{
    SendMessageW(comboBox_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboBoxList::currentIndex() const
{
    return static_cast<int>(SendMessageW(comboBox_, CB_GETCURSEL, 0, 0));
}

long ComboBoxList::itemData(int index) const
{
    // CB_ERR (-1) for index -1, as the sender expects for an empty list.
    return static_cast<long>(SendMessageW(comboBox_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

UINT messageBoxFlags(MessageIcon icon) noexcept
{
    const UINT iconFlag = icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONERROR;
    return MB_OK | iconFlag | MB_SETFOREGROUND;
}

void Win32MessagePresenter::show(const char* text, const char* caption, MessageIcon icon)
{
    const std::wstring wideText = TextConversion::widenAnsi(text);
    const std::wstring wideCaption = TextConversion::widenAnsi(caption);
    MessageBoxW(owner_, wideText.c_str(), wideCaption.c_str(), messageBoxFlags(icon));
}

} // namespace hwd

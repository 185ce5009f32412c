// The sender's list and message box on the platform's controls: a real
// drop-down list answering as the sender expects, the flags of the boxes, and
// the text conversions at the edge of the Unicode windows.
#include "ui/win32/TextConversion.h"
#include "ui/win32/Win32SenderControls.h"

#include <gtest/gtest.h>

using namespace hwd;

namespace {

class ComboBoxListTest : public testing::Test {
protected:
    ComboBoxListTest()
    {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        combo_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 150,
                                 120, parent_, nullptr, nullptr, nullptr);
    }
    ~ComboBoxListTest() override { DestroyWindow(parent_); }

    std::wstring text(int index) const
    {
        wchar_t item[40] = {};
        SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
        return item;
    }

    HWND parent_ = nullptr;
    HWND combo_ = nullptr;
};

TEST_F(ComboBoxListTest, KeepsItemsInInsertionOrderWithTheirData)
{
    ComboBoxList list(combo_);
    EXPECT_EQ(list.addItem("Zeta"), 0);
    EXPECT_EQ(list.addItem("Alpha"), 1);
    list.setItemData(0, 7);
    list.setItemData(1, 96);
    EXPECT_EQ(text(0), L"Zeta");
    EXPECT_EQ(text(1), L"Alpha");
    EXPECT_EQ(list.itemData(1), 96);
    list.setCurrentIndex(1);
    EXPECT_EQ(list.currentIndex(), 1);
}

TEST_F(ComboBoxListTest, WithNothingSelectedAnswersMinusOneForIndexAndDatum)
{
    ComboBoxList list(combo_);
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.itemData(-1), -1);
    list.addItem("Port");
    list.setCurrentIndex(3);
    EXPECT_EQ(list.currentIndex(), -1);
}

TEST_F(ComboBoxListTest, TakesLabelsInTheSystemCodePage)
{
    ComboBoxList list(combo_);
    // "Caf\xe9" in the Western code page that wine's default locale uses.
    list.addItem("Caf\xe9 MIDI");
    EXPECT_EQ(text(0), L"Caf\u00e9 MIDI");
}

TEST(MessageBoxFlags, WarningAndErrorBroughtToTheForeground)
{
    EXPECT_EQ(messageBoxFlags(MessageIcon::Warning), 0x10030u);
    EXPECT_EQ(messageBoxFlags(MessageIcon::Error), 0x10010u);
}

TEST(TextConversion, LineBreaksForAStaticControl)
{
    EXPECT_EQ(TextConversion::withDialogLineBreaks(L"a\n\nb\nc"), L"a\r\n\r\nb\r\nc");
    EXPECT_EQ(TextConversion::withDialogLineBreaks(L""), L"");
    EXPECT_EQ(TextConversion::widenAnsi(""), L"");
    EXPECT_EQ(TextConversion::widenAnsi("097"), L"097");
}

} // namespace

// The dialog templates compiled into the program (the resource script, linked
// into this test program as into the program itself) against the templates as
// data that the Qt windows are built from: the two must not drift apart.
#include "tests/support/CaseNames.h"
#include "support/DialogResource.h"

#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

std::wstring wide(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

struct ExpectedClass {
    const wchar_t* className;
    DWORD typeMask;
    DWORD type;
};

ExpectedClass expectedClass(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return {L"BUTTON", BS_TYPEMASK, BS_PUSHBUTTON};
    case ControlKind::DefaultPushButton:
        return {L"BUTTON", BS_TYPEMASK, BS_DEFPUSHBUTTON};
    case ControlKind::GroupBox:
        return {L"BUTTON", BS_TYPEMASK, BS_GROUPBOX};
    case ControlKind::Label:
    case ControlKind::PathLabel:
        return {L"STATIC", SS_TYPEMASK, SS_LEFT};
    case ControlKind::WaveView:
        return {L"STATIC", SS_TYPEMASK, SS_BLACKFRAME};
    case ControlKind::DropDownList:
        return {L"COMBOBOX", 0x3, CBS_DROPDOWNLIST};
    case ControlKind::Icon:
        return {L"STATIC", SS_TYPEMASK, SS_ICON};
    case ControlKind::CentredText:
        return {L"STATIC", SS_TYPEMASK, SS_CENTER};
    }
    return {L"?", 0, 0};
}

struct TemplateCase {
    const char* name;
    const DialogTemplate& (*expected)() noexcept;
};

class CompiledTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(CompiledTemplate, MatchesTheTemplateData)
{
    const DialogTemplate& expected = GetParam().expected();
    const std::optional<DialogResource> compiled = DialogResource::load(expected.id);
    ASSERT_TRUE(compiled) << "no extended dialog template " << expected.id;

    EXPECT_EQ(compiled->caption, wide(expected.caption));
    EXPECT_EQ(compiled->width, expected.size.width);
    EXPECT_EQ(compiled->height, expected.size.height);
    EXPECT_EQ(compiled->typeface, wide(expected.font));
    EXPECT_EQ(compiled->pointSize, expected.pointSize);
    EXPECT_FALSE(compiled->italic);
    EXPECT_EQ((compiled->exStyle & WS_EX_ACCEPTFILES) != 0, expected.acceptsFiles);

    ASSERT_EQ(compiled->items.size(), expected.controls.size());
    for (std::size_t index = 0; index < expected.controls.size(); ++index) {
        const ControlTemplate& control = expected.controls[index];
        const DialogResource::Item& item = compiled->items[index];
        SCOPED_TRACE(testing::Message() << "control " << index << " (" << control.name << ")");
        EXPECT_EQ(item.id, control.id);
        EXPECT_EQ(item.x, control.rect.x);
        EXPECT_EQ(item.y, control.rect.y);
        EXPECT_EQ(item.width, control.rect.width);
        EXPECT_EQ(item.height, control.rect.height);

        const ExpectedClass kind = expectedClass(control.kind);
        EXPECT_EQ(item.className, kind.className);
        EXPECT_EQ(item.style & kind.typeMask, kind.type);
        EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
        EXPECT_EQ((item.style & WS_TABSTOP) != 0, control.tabStop);
        EXPECT_EQ((item.style & WS_GROUP) != 0, control.startsGroup);
        if (item.className == L"STATIC") {
            EXPECT_EQ((item.style & SS_NOTIFY) != 0, control.notify);
        }

        if (control.kind == ControlKind::Icon) {
            EXPECT_EQ(item.textOrdinal, IDR_MAINFRAME);
        } else {
            EXPECT_EQ(item.text, wide(control.text));
        }
        if (control.kind == ControlKind::WaveView) {
            EXPECT_TRUE(item.style & SS_SUNKEN);
        }
        if (control.kind == ControlKind::PathLabel || control.kind == ControlKind::Label) {
            EXPECT_EQ((item.style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS, control.kind == ControlKind::PathLabel);
        }
        if (control.kind == ControlKind::DropDownList) {
            EXPECT_TRUE(item.style & WS_VSCROLL);
            EXPECT_FALSE(item.style & CBS_SORT);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, CompiledTemplate,
                         testing::Values(TemplateCase{"Main", &mainDialogTemplate},
                                         TemplateCase{"About", &aboutBoxTemplate},
                                         TemplateCase{"WaveTweaker", &waveTweakerTemplate}),
                         CaseNames::byName);

bool has(DWORD style, DWORD bits)
{
    return (style & bits) == bits;
}

TEST(CompiledTemplateFrame, MainDialogIsAHiddenFixedTopLevelWindowThatTakesFiles)
{
    const auto main = DialogResource::load(IDD_MAINDLG);
    ASSERT_TRUE(main);
    EXPECT_TRUE(has(main->style, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_FALSE(main->style & (WS_POPUP | WS_CHILD | WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(main->exStyle, DWORD{WS_EX_ACCEPTFILES});
    EXPECT_EQ(main->weight, FW_NORMAL);
}

TEST(CompiledTemplateFrame, AboutBoxIsAModalPopUpWithACloseBox)
{
    const auto about = DialogResource::load(IDD_ABOUTBOX);
    ASSERT_TRUE(about);
    EXPECT_TRUE(has(about->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(about->exStyle, 0u);
}

TEST(CompiledTemplateFrame, WaveTweakerIsAPopUpWithoutSystemMenu)
{
    const auto tweaker = DialogResource::load(IDD_WAVE_TWEAKER);
    ASSERT_TRUE(tweaker);
    EXPECT_TRUE(has(tweaker->style, WS_POPUP | WS_CAPTION | DS_SETFONT | DS_FIXEDSYS));
    EXPECT_FALSE(tweaker->style & WS_SYSMENU);
    EXPECT_EQ(tweaker->exStyle, 0u);
    EXPECT_EQ(tweaker->weight, FW_NORMAL);
}

} // namespace

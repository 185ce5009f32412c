// The three dialog templates as the C++ reads them from their one description:
// ids, texts, rectangles in dialog units, order, tab stops and groups, held
// against the program's dialogs as they must look; the Wave Tweaker's buttons
// and the edits they run.

#include "app/DialogTemplates.h"
#include "wave/WaveOps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace hwd;

namespace {

struct Expected {
    int id;
    std::string name;
    ControlKind kind;
    std::string text;
    Rect rect;
};

void expectControls(const DialogTemplate& dialog, const std::vector<Expected>& expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ControlTemplate& control = dialog.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " " + expected[i].name);
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.name, expected[i].name);
        EXPECT_EQ(control.kind, expected[i].kind);
        EXPECT_EQ(control.text, expected[i].text);
        EXPECT_EQ(control.rect, expected[i].rect);
    }
}

std::vector<std::string> namesWhere(const DialogTemplate& dialog, bool ControlTemplate::*flag)
{
    std::vector<std::string> names;
    for (const ControlTemplate& control : dialog.controls) {
        if (control.*flag)
            names.emplace_back(control.name);
    }
    return names;
}

TEST(MainDialogTemplate, windowAndControlsInTemplateOrder)
{
    const DialogTemplate& dialog = mainDialogTemplate();
    EXPECT_EQ(dialog.id, 129);
    EXPECT_STREQ(dialog.name, "IDD_MAINDLG");
    EXPECT_STREQ(dialog.caption, "Harlix Wave Dump");
    EXPECT_EQ(dialog.size, (Size{261, 177}));
    EXPECT_STREQ(dialog.font, "MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.frame, DialogFrame::MainWindow);
    EXPECT_TRUE(dialog.acceptsFiles);

    using K = ControlKind;
    expectControls(dialog, {
                               {2, "IDCANCEL", K::PushButton, "Quit", {204, 44, 50, 14}},
                               {0xE140, "ID_APP_ABOUT", K::PushButton, "About...", {204, 27, 50, 14}},
                               {1004, "IDC_WAVE_VIEW", K::WaveView, "", {18, 83, 168, 62}},
                               {1000, "IDC_SEND", K::PushButton, "Send", {204, 10, 50, 14}},
                               {-1, "IDC_STATIC", K::GroupBox, "MIDI Parameters", {7, 7, 190, 47}},
                               {-1, "IDC_STATIC", K::Label, "Port", {18, 17, 14, 8}},
                               {1001, "IDC_PORT", K::DropDownList, "", {18, 28, 134, 102}},
                               {-1, "IDC_STATIC", K::Label, "Wave #", {156, 17, 27, 8}},
                               {1003, "IDC_WAVE_NUMBER", K::DropDownList, "", {156, 28, 31, 102}},
                               {-1, "IDC_STATIC", K::GroupBox, "Wave File", {7, 57, 190, 115}},
                               {1005, "IDC_FILE_NAME", K::PathLabel, "** File Name **", {18, 70, 168, 9}},
                               {1006, "IDC_RELOAD", K::PushButton, "Reload", {72, 150, 50, 14}},
                           });
}

TEST(MainDialogTemplate, tabStopsGroupsAndTheNotifyingView)
{
    const DialogTemplate& dialog = mainDialogTemplate();
    EXPECT_EQ(namesWhere(dialog, &ControlTemplate::tabStop),
              (std::vector<std::string>{"IDCANCEL", "ID_APP_ABOUT", "IDC_SEND", "IDC_PORT", "IDC_WAVE_NUMBER",
                                        "IDC_RELOAD"}));
    std::vector<std::size_t> groupStarts;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        if (dialog.controls[i].startsGroup)
            groupStarts.push_back(i);
    }
    // Quit; "Port"; "Wave #"; the file name.
    EXPECT_EQ(groupStarts, (std::vector<std::size_t>{0, 5, 7, 10}));
    EXPECT_EQ(namesWhere(dialog, &ControlTemplate::notify), (std::vector<std::string>{"IDC_WAVE_VIEW"}));
    // No default push button: Enter away from a button is the OK command.
    EXPECT_TRUE(std::none_of(dialog.controls.begin(), dialog.controls.end(), [](const ControlTemplate& control) {
        return control.kind == ControlKind::DefaultPushButton;
    }));
}

TEST(MainDialogTemplate, controlFindsAnIdOrNothing)
{
    const DialogTemplate& dialog = mainDialogTemplate();
    ASSERT_NE(dialog.control(1006), nullptr);
    EXPECT_STREQ(dialog.control(1006)->text, "Reload");
    ASSERT_NE(dialog.control(-1), nullptr);
    EXPECT_STREQ(dialog.control(-1)->text, "MIDI Parameters");
    EXPECT_EQ(dialog.control(1), nullptr);
    EXPECT_EQ(dialog.control(1002), nullptr);
}

TEST(AboutBoxTemplate, windowAndControls)
{
    const DialogTemplate& dialog = aboutBoxTemplate();
    EXPECT_EQ(dialog.id, 100);
    EXPECT_STREQ(dialog.name, "IDD_ABOUTBOX");
    EXPECT_STREQ(dialog.caption, "About");
    EXPECT_EQ(dialog.size, (Size{187, 102}));
    EXPECT_STREQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.frame, DialogFrame::ModalWithClose);
    EXPECT_FALSE(dialog.acceptsFiles);

    using K = ControlKind;
    expectControls(dialog, {
                               {-1, "IDC_STATIC", K::Icon, "", {83, 7, 20, 20}},
                               {-1, "IDC_STATIC", K::CentredText, "", {7, 30, 173, 49}},
                               {1, "IDOK", K::DefaultPushButton, "OK", {69, 81, 50, 14}},
                           });
    EXPECT_EQ(namesWhere(dialog, &ControlTemplate::tabStop), (std::vector<std::string>{"IDOK"}));
}

TEST(AboutBoxTemplate, textInThreeParagraphs)
{
    EXPECT_STREQ(AboutTexts::title, "Harlix WaveDump Applet v1.3");
    for (const char* line : {AboutTexts::authorship, AboutTexts::contact}) {
        EXPECT_FALSE(std::string(line).empty());
        EXPECT_EQ(std::string(line).find('\n'), std::string::npos);
    }
    EXPECT_EQ(std::string(aboutText()), std::string("Harlix WaveDump Applet v1.3\n\n") + AboutTexts::authorship
                                            + "\n\n" + AboutTexts::contact);
}

TEST(MainDialogTemplate, dropHint)
{
    EXPECT_STREQ(dropHint, "Drag/Drop WAV file from Explorer");
}

TEST(WaveTweakerTemplate, windowAndControls)
{
    const DialogTemplate& dialog = waveTweakerTemplate();
    EXPECT_EQ(dialog.id, 201);
    EXPECT_STREQ(dialog.name, "IDD_WAVE_TWEAKER");
    EXPECT_STREQ(dialog.caption, "Wave Tweaker");
    EXPECT_EQ(dialog.size, (Size{329, 233}));
    EXPECT_STREQ(dialog.font, "MS Shell Dlg");
    EXPECT_EQ(dialog.frame, DialogFrame::ModalNoClose);

    using K = ControlKind;
    expectControls(dialog, {
                               {1, "IDOK", K::DefaultPushButton, "OK", {272, 7, 50, 14}},
                               {1004, "IDC_WAVE_VIEW", K::WaveView, "", {7, 7, 256, 219}},
                               {107, "IDC_FILTER", K::PushButton, "Filter", {272, 28, 50, 14}},
                               {108, "IDC_NORMALIZE", K::PushButton, "Normalize", {272, 45, 50, 14}},
                               {109, "IDC_ADDITIVE", K::PushButton, "Additive", {272, 62, 50, 14}},
                               {110, "IDC_UNDO", K::PushButton, "Undo", {272, 117, 50, 14}},
                               {111, "IDC_CLEAR", K::PushButton, "Clear", {272, 100, 50, 14}},
                               {112, "IDC_RANDOM_PD", K::PushButton, "Random PD", {272, 79, 50, 14}},
                           });
    // The view lets presses and moves through to the dialog: no notify style.
    EXPECT_TRUE(namesWhere(dialog, &ControlTemplate::notify).empty());
    EXPECT_EQ(namesWhere(dialog, &ControlTemplate::tabStop),
              (std::vector<std::string>{"IDOK", "IDC_FILTER", "IDC_NORMALIZE", "IDC_ADDITIVE", "IDC_UNDO",
                                        "IDC_CLEAR", "IDC_RANDOM_PD"}));
}

TEST(WaveTweakerTemplate, eachButtonRunsItsOwnEdit)
{
    const std::vector<std::pair<int, WaveOp>> buttons{{107, WaveOp::filter},   {108, WaveOp::normalize},
                                                      {109, WaveOp::additive}, {110, WaveOp::undo},
                                                      {111, WaveOp::clear},    {112, WaveOp::randomPD}};
    for (const auto& [id, op] : buttons) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(waveTweakerOperation(id).has_value());
        EXPECT_EQ(*waveTweakerOperation(id), op);
    }
    for (const int other : {1, 2, 106, 113, 1004, 1000, 1006, -1, 0, 0xE140})
        EXPECT_FALSE(waveTweakerOperation(other).has_value()) << other;
}

// Each edit's button carries the label the op table gives it, and the buttons
// stand from the top in the op table's order.
TEST(WaveTweakerTemplate, buttonsAreTheOpTableFromTheTop)
{
    std::vector<const ControlTemplate*> editButtons;
    for (const ControlTemplate& control : waveTweakerTemplate().controls) {
        if (waveTweakerOperation(control.id))
            editButtons.push_back(&control);
    }
    std::sort(editButtons.begin(), editButtons.end(),
              [](const ControlTemplate* a, const ControlTemplate* b) { return a->rect.y < b->rect.y; });
    ASSERT_EQ(editButtons.size(), waveOpTable.size());
    for (std::size_t i = 0; i < waveOpTable.size(); ++i) {
        EXPECT_EQ(*waveTweakerOperation(editButtons[i]->id), waveOpTable[i].op) << i;
        EXPECT_STREQ(editButtons[i]->text, waveOpTable[i].label) << i;
    }
}

} // namespace

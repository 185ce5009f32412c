#include "DialogTemplates.h"

#include "ResourceIds.h"
#include "Version.h"
#include "wave/WaveOps.h"

#include <array>

namespace hwd {

namespace {

using K = ControlKind;

constexpr std::array mainControls{
    ControlTemplate{IDCANCEL, "IDCANCEL", K::PushButton, "Quit", {204, 44, 50, 14}, true, true, false},
    ControlTemplate{ID_APP_ABOUT, "ID_APP_ABOUT", K::PushButton, "About...", {204, 27, 50, 14}, true, false, false},
    ControlTemplate{IDC_WAVE_VIEW, "IDC_WAVE_VIEW", K::WaveView, "", {18, 83, 168, 62}, false, false, true},
    ControlTemplate{IDC_SEND, "IDC_SEND", K::PushButton, "Send", {204, 10, 50, 14}, true, false, false},
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::GroupBox, "MIDI Parameters", {7, 7, 190, 47}, false, false, false},
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::Label, "Port", {18, 17, 14, 8}, false, true, false},
    ControlTemplate{IDC_PORT, "IDC_PORT", K::DropDownList, "", {18, 28, 134, 102}, true, false, false},
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::Label, "Wave #", {156, 17, 27, 8}, false, true, false},
    ControlTemplate{IDC_WAVE_NUMBER, "IDC_WAVE_NUMBER", K::DropDownList, "", {156, 28, 31, 102}, true, false, false},
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::GroupBox, "Wave File", {7, 57, 190, 115}, false, false, false},
    ControlTemplate{IDC_FILE_NAME, "IDC_FILE_NAME", K::PathLabel, "** File Name **", {18, 70, 168, 9}, false, true,
                    false},
    ControlTemplate{IDC_RELOAD, "IDC_RELOAD", K::PushButton, "Reload", {72, 150, 50, 14}, true, false, false},
};

constexpr std::array aboutControls{
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::Icon, "", {83, 7, 20, 20}, false, false, false},
    ControlTemplate{IDC_STATIC, "IDC_STATIC", K::CentredText, "", {7, 30, 173, 49}, false, false, false},
    ControlTemplate{IDOK, "IDOK", K::DefaultPushButton, "OK", {69, 81, 50, 14}, true, false, false},
};

constexpr std::array tweakerControls{
    ControlTemplate{IDOK, "IDOK", K::DefaultPushButton, "OK", {272, 7, 50, 14}, true, false, false},
    ControlTemplate{IDC_WAVE_VIEW, "IDC_WAVE_VIEW", K::WaveView, "", {7, 7, 256, 219}, false, false, false},
    ControlTemplate{IDC_FILTER, "IDC_FILTER", K::PushButton, "Filter", {272, 28, 50, 14}, true, false, false},
    ControlTemplate{IDC_NORMALIZE, "IDC_NORMALIZE", K::PushButton, "Normalize", {272, 45, 50, 14}, true, false, false},
    ControlTemplate{IDC_ADDITIVE, "IDC_ADDITIVE", K::PushButton, "Additive", {272, 62, 50, 14}, true, false, false},
    ControlTemplate{IDC_UNDO, "IDC_UNDO", K::PushButton, "Undo", {272, 117, 50, 14}, true, false, false},
    ControlTemplate{IDC_CLEAR, "IDC_CLEAR", K::PushButton, "Clear", {272, 100, 50, 14}, true, false, false},
    ControlTemplate{IDC_RANDOM_PD, "IDC_RANDOM_PD", K::PushButton, "Random PD", {272, 79, 50, 14}, true, false, false},
};

constexpr DialogTemplate mainTemplate{IDD_MAINDLG, "IDD_MAINDLG", "Harlix Wave Dump", {261, 177}, "MS Shell Dlg", 8,
                                      DialogFrame::MainWindow, true, mainControls};
constexpr DialogTemplate aboutTemplate{IDD_ABOUTBOX, "IDD_ABOUTBOX", "About", {187, 102}, "MS Sans Serif", 8,
                                       DialogFrame::ModalWithClose, false, aboutControls};
constexpr DialogTemplate tweakerTemplate{IDD_WAVE_TWEAKER, "IDD_WAVE_TWEAKER", "Wave Tweaker", {329, 233},
                                         "MS Shell Dlg", 8, DialogFrame::ModalNoClose, false, tweakerControls};

struct TweakerButton {
    int id;
    WaveOp op;
};

constexpr std::array tweakerButtons{
    TweakerButton{IDC_FILTER, WaveOp::filter},   TweakerButton{IDC_NORMALIZE, WaveOp::normalize},
    TweakerButton{IDC_ADDITIVE, WaveOp::additive}, TweakerButton{IDC_RANDOM_PD, WaveOp::randomPD},
    TweakerButton{IDC_CLEAR, WaveOp::clear},     TweakerButton{IDC_UNDO, WaveOp::undo},
};

} // namespace

const ControlTemplate* DialogTemplate::control(int controlId) const noexcept
{
    for (const ControlTemplate& candidate : controls) {
        if (candidate.id == controlId)
            return &candidate;
    }
    return nullptr;
}

const DialogTemplate& mainDialogTemplate() noexcept
{
    return mainTemplate;
}

const DialogTemplate& aboutBoxTemplate() noexcept
{
    return aboutTemplate;
}

const DialogTemplate& waveTweakerTemplate() noexcept
{
    return tweakerTemplate;
}

std::optional<WaveOp> waveTweakerOperation(int controlId) noexcept
{
    for (const TweakerButton& button : tweakerButtons) {
        if (button.id == controlId)
            return button.op;
    }
    return std::nullopt;
}

#define HWD_ABOUT_TITLE "Harlix WaveDump Applet v" HWD_VERSION_MAJOR_MINOR
#define HWD_ABOUT_AUTHORSHIP "By the Harlix Wave Dump authors"
#define HWD_ABOUT_CONTACT "Bug reports: see the project home page"

namespace AboutTexts {
const char* const title = HWD_ABOUT_TITLE;
const char* const authorship = HWD_ABOUT_AUTHORSHIP;
const char* const contact = HWD_ABOUT_CONTACT;
} // namespace AboutTexts

const char* aboutText() noexcept
{
    return HWD_ABOUT_TITLE "\n\n" HWD_ABOUT_AUTHORSHIP "\n\n" HWD_ABOUT_CONTACT;
}

} // namespace hwd

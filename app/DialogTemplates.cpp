#include "DialogTemplates.h"

#include "ResourceIds.h"
#include "Version.h"
#include "wave/WaveOps.h"

#include <array>

namespace hwd {

namespace {

// The templates' flags and file drops as the data below reads them.
constexpr int HWD_TAB_STOP = 1;
constexpr int HWD_GROUP = 2;
constexpr int HWD_NOTIFY = 4;
constexpr bool HWD_ACCEPTS_FILES = true;
constexpr bool HWD_NO_FILES = false;

constexpr ControlTemplate control(int id, const char* name, ControlKind kind, const char* text, Rect rect, int flags)
{
    return {id, name, kind, text, rect, (flags & HWD_TAB_STOP) != 0, (flags & HWD_GROUP) != 0, (flags & HWD_NOTIFY) != 0};
}

// First the controls of each template, then the templates themselves.
#define HWD_DIALOG_BEGIN(id, caption, width, height, font, points, weight, frame, drops) \
    constexpr ControlTemplate id##Controls[] = {
#define HWD_CONTROL(id, kind, text, x, y, width, height, flags) \
    control(id, #id, ControlKind::kind, text, {x, y, width, height}, flags),
#define HWD_DIALOG_END(id) };
#include "DialogTemplates.def"
#undef HWD_DIALOG_BEGIN
#undef HWD_CONTROL
#undef HWD_DIALOG_END

#define HWD_DIALOG_BEGIN(id, caption, width, height, font, points, weight, frame, drops) \
    constexpr DialogTemplate id##Template{id, #id, caption, {width, height}, font, points, DialogFrame::frame, drops, id##Controls};
#define HWD_CONTROL(id, kind, text, x, y, width, height, flags)
#define HWD_DIALOG_END(id)
#include "DialogTemplates.def"
#undef HWD_DIALOG_BEGIN
#undef HWD_CONTROL
#undef HWD_DIALOG_END

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
    return IDD_MAINDLGTemplate;
}

const DialogTemplate& aboutBoxTemplate() noexcept
{
    return IDD_ABOUTBOXTemplate;
}

const DialogTemplate& waveTweakerTemplate() noexcept
{
    return IDD_WAVE_TWEAKERTemplate;
}

const DialogTemplate& importCycleTemplate() noexcept
{
    return IDD_IMPORT_CYCLETemplate;
}

const DialogTemplate& bankTemplate() noexcept
{
    return IDD_BANKTemplate;
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

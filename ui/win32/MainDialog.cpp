#include "MainDialog.h"

#include "AboutDialog.h"
#include "FileDrop.h"
#include "ImportCycleDialog.h"
#include "KeyTranslation.h"
#include "Module.h"
#include "PictureMenu.h"
#include "WaveTweakerDialog.h"
#include "WindowCentring.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "app/WindowsNT.h"

#include <shellapi.h>

#include <thread>

namespace hwd {

namespace {

struct WindowIcons {
    HICON large;
    HICON small;
};

// Loaded at the first initialisation and kept for the life of the process.
const WindowIcons& windowIcons()
{
    static const WindowIcons icons{
        static_cast<HICON>(LoadImageW(Module::instance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)),
        static_cast<HICON>(LoadImageW(Module::instance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)),
    };
    return icons;
}

} // namespace

MainDialog::MainDialog(DialogController& controller, Waveshape& wave)
    : WindowControls(static_cast<const DialogWindow&>(*this)), controller_(controller), wave_(wave), waveView_(wave)
{
    // Settled before the window exists, so every paint and double click sees it.
    if (platformIsWindowsNT())
        setWindowsNT(true);
}

bool MainDialog::create()
{
    return createModeless(IDD_MAINDLG, nullptr) != nullptr;
}

std::optional<LRESULT> MainDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> result = handleControlsMessage(message, wParam, lParam))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return initialise();
    case WM_DROPFILES:
        routeFileDrop(reinterpret_cast<HDROP>(wParam), window(), mainDialogTemplate(), controller_);
        return 0;
    case WM_COMMAND:
        controller_.command(LOWORD(wParam), controlEventFor(HIWORD(wParam)));
        return 0;
    case WM_CONTEXTMENU:
        // Elsewhere (the title bar's system menu) the platform's handling stays.
        if (const std::optional<Point> at = PictureMenu::requestedAt(window(), waveView_.window(), lParam)) {
            controller_.pictureMenuRequested(at);
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

LRESULT MainDialog::initialise()
{
    const HWND dialog = window();
    waveView_.takeOver(dialog);
    controller_.initialise(*this);
    centreDialog(dialog);
    const WindowIcons& icons = windowIcons();
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small));
    if (MessageLoop* loop = LoopRegistry::instance().find(std::this_thread::get_id())) {
        loop->addFilter(*this);
        loop->addIdleTask(*this);
    }
    // The controller has put the focus where it belongs.
    return FALSE;
}

bool MainDialog::filterMessage(MSG& message)
{
    if (window() == nullptr)
        return false;
    if (bank_ && bank_->filterMessage(message))
        return true;
    // Before the dialog keyboard, which would hand the keys to the focused control.
    return routeDialogKey(message, window(), controller_) || IsDialogMessageW(window(), &message);
}

void MainDialog::runIdle()
{
    // Between the window's end and the quit message there is nothing to update.
    if (window() != nullptr)
        controller_.runIdle();
}

int MainDialog::runModal(int templateId, DialogController* controller)
{
    const HWND owner = GetActiveWindow();
    if (templateId == IDD_WAVE_TWEAKER && controller != nullptr)
        return static_cast<int>(WaveTweakerDialog(*controller, wave_).run(owner));
    if (templateId == IDD_IMPORT_CYCLE && controller != nullptr)
        return static_cast<int>(ImportCycleDialog(*controller).run(owner));
    if (templateId == IDD_ABOUTBOX)
        return static_cast<int>(AboutDialog().run(owner));
    return 0;
}

void MainDialog::openModeless(int templateId, DialogController& controller)
{
    if (templateId != IDD_BANK || window() == nullptr)
        return;
    if (bank_ && bank_->window() != nullptr) {
        bank_->bringToFront();
        return;
    }
    bank_.emplace(controller);
    if (!bank_->open(window()))
        bank_.reset();
}

template <class Step>
auto MainDialog::withBankAside(Step step)
{
    const HWND bank = bank_ ? bank_->window() : nullptr;
    // EnableWindow answers whether the window was disabled before.
    const bool wasDisabled = bank != nullptr && EnableWindow(bank, FALSE) != 0;
    auto result = step();
    if (bank != nullptr && !wasDisabled && IsWindow(bank))
        EnableWindow(bank, TRUE);
    return result;
}

void MainDialog::showMessage(std::string_view text, MessageIcon icon)
{
    (void)withBankAside([&] {
        WindowControls::showMessage(text, icon);
        return 0;
    });
}

std::optional<std::filesystem::path> MainDialog::chooseFileToOpen(OpenTypes types)
{
    return withBankAside([&] { return WindowControls::chooseFileToOpen(types); });
}

std::optional<std::filesystem::path> MainDialog::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                  SaveTypes types)
{
    return withBankAside([&] { return WindowControls::chooseSaveTarget(suggested, types); });
}

void MainDialog::endDialog(int code)
{
    DestroyWindow(window());
    PostQuitMessage(code);
}

} // namespace hwd

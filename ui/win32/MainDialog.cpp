#include "MainDialog.h"

#include "AboutDialog.h"
#include "Module.h"
#include "PictureMenuPopup.h"
#include "PictureShortcut.h"
#include "TextConversion.h"
#include "WaveOutPreviewOutput.h"
#include "WaveTweakerDialog.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/LoopRegistry.h"
#include "app/PictureMenu.h"
#include "app/ResourceIds.h"
#include "app/WaveSaving.h"
#include "app/WindowsNT.h"
#include "transfer/MidiSender.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <shellapi.h>

#include <string>
#include <thread>
#include <utility>

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

// The first file of a drop, whole, however long its path.
std::filesystem::path firstDroppedFile(HDROP drop)
{
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(copied);
    return path;
}

} // namespace

MainDialog::MainDialog(Services services)
    : midi_(services.midi),
      wave_(currentWaveshape()),
      state_(wave_, messages_, *this),
      waveView_(wave_),
      fileChooser_(services.fileChooser != nullptr ? *services.fileChooser : systemFileChooser_),
      previewOutput_(services.previewOutput)
{
    // Settled before the window exists, so every paint and double click sees it.
    if (platformIsWindowsNT())
        setWindowsNT(true);
}

MainDialog::~MainDialog()
{
    stopListening();
}

bool MainDialog::create()
{
    return createModeless(IDD_MAINDLG, nullptr) != nullptr;
}

void MainDialog::openWhenShown(std::filesystem::path file)
{
    openWhenShown_ = std::move(file);
}

std::optional<LRESULT> MainDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The audio device hands its buffers back through this window.
    if (waveOut_ && waveOut_->handleMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_INITDIALOG:
        return initialise();
    case WM_DROPFILES:
        takeDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_COMMAND:
        return command(LOWORD(wParam), HIWORD(wParam));
    case WM_CONTEXTMENU:
        // Elsewhere (the title bar's system menu) the platform's handling stays.
        if (!showPictureMenu(lParam))
            return std::nullopt;
        return 0;
    case WM_OPEN_WHEN_SHOWN:
        if (!openWhenShown_.empty())
            state_.openFile(std::exchange(openWhenShown_, {}));
        return 0;
    case WM_DESTROY:
        // The preview never outlives the window whose messages feed it.
        stopListening();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

LRESULT MainDialog::initialise()
{
    const HWND dialog = window();
    waveView_.takeOver(dialog);
    waveNumberList_.emplace(GetDlgItem(dialog, IDC_WAVE_NUMBER));
    portList_.emplace(GetDlgItem(dialog, IDC_PORT));
    messages_.setOwner(dialog);
    commandMessages_.setOwner(dialog);
    systemFileChooser_.setOwner(dialog);
    toolTip_.attach(dialog, waveView_.window());

    state_.initialise();
    SetDlgItemTextW(dialog, IDC_FILE_NAME, TextConversion::widenAnsi(dropHint).c_str());

    sender_ = std::make_unique<MidiSender>(midi_, wave_, *portList_, *waveNumberList_, messages_);
    sender_->fillWaveNumberList();
    sender_->fillPortList();

    if (previewOutput_ == nullptr) {
        waveOut_ = std::make_unique<WaveOutPreviewOutput>(dialog);
        previewOutput_ = waveOut_.get();
    }
    listen_.emplace(*previewOutput_, commandMessages_, wave_);

    centreDialog(dialog);
    const WindowIcons& icons = windowIcons();
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small));

    if (MessageLoop* loop = LoopRegistry::instance().find(std::this_thread::get_id())) {
        loop->addFilter(*this);
        loop->addIdleTask(*this);
    }
    state_.controlStates().addContainer([dialog](int controlId, bool enabled) {
        if (const HWND control = GetDlgItem(dialog, controlId))
            EnableWindow(control, enabled);
    });
    // The platform puts the focus on the first tab stop, Quit.
    return TRUE;
}

void MainDialog::takeDrop(HDROP drop)
{
    // Disabled, the dialog is the owner of a modal window (the About box, the
    // Wave Tweaker, a message box or a file chooser) and takes no drop: a load
    // now would change the wave under the Tweaker, and its warning box would
    // enable the dialog again while that window still runs.
    if (!IsWindowEnabled(window())) {
        DragFinish(drop);
        return;
    }
    std::filesystem::path path = firstDroppedFile(drop);
    DragFinish(drop);
    state_.setCurrentPath(std::move(path));
    state_.loadCurrentFile();
}

std::optional<LRESULT> MainDialog::command(int id, int notification)
{
    switch (id) {
    case ID_APP_ABOUT:
        showAbout();
        return 0;
    case IDOK:
        closeApplication(exitOk);
        return 0;
    case IDCANCEL:
        closeApplication(exitCancel);
        return 0;
    case IDC_SEND:
        if (notification != BN_CLICKED)
            return std::nullopt;
        send();
        return 0;
    case IDC_RELOAD:
        if (notification != BN_CLICKED)
            return std::nullopt;
        loadCurrentFile();
        return 0;
    case IDC_WAVE_VIEW:
        if (notification != STN_DBLCLK)
            return std::nullopt;
        openWaveTweaker();
        return 0;
    default:
        return std::nullopt;
    }
}

void MainDialog::send()
{
    if (sender_)
        sender_->send();
}

void MainDialog::openWaveTweaker()
{
    if (!state_.mayOpenWaveTweaker())
        return;
    WaveTweakerDialog tweaker(wave_, &WaveOperations::millisecondTicks, this);
    tweaker.run(GetActiveWindow());
    InvalidateRect(waveView_.window(), nullptr, TRUE);
}

void MainDialog::showAbout()
{
    AboutDialog about;
    about.run(GetActiveWindow());
}

void MainDialog::closeApplication(int exitCode)
{
    DestroyWindow(window());
    PostQuitMessage(exitCode);
}

void MainDialog::runPictureCommand(int commandId, HWND from)
{
    const bool inMainDialog = from == window();
    const PictureWindow where = inMainDialog ? PictureWindow::mainDialog : PictureWindow::waveTweaker;
    if (!pictureCommandEnabled(commandId, where, wave_.loaded))
        return;
    commandMessages_.setOwner(from);
    systemFileChooser_.setOwner(from);
    switch (commandId) {
    case ID_FILE_OPEN:
        state_.open(fileChooser_);
        break;
    case ID_FILE_SAVE_AS:
        if (sender_)
            saveWaveAs(fileChooser_, commandMessages_, wave_, sender_->selectedWaveNumber(), state_.currentPath());
        break;
    case ID_LISTEN:
        if (listen_)
            listen_->toggle();
        break;
    default:
        break;
    }
}

bool MainDialog::listening() const noexcept
{
    return listen_ && listen_->listening();
}

bool MainDialog::showPictureMenu(LPARAM position)
{
    const std::optional<POINT> point = pictureMenuPoint(window(), waveView_.window(), position);
    if (!point)
        return false;
    const int picked = trackPictureMenu(window(), *point, PictureWindow::mainDialog, wave_.loaded, listening());
    if (picked != 0)
        runPictureCommand(picked, window());
    return true;
}

void MainDialog::stopListening() noexcept
{
    listen_.reset();
}

bool MainDialog::filterMessage(MSG& message)
{
    if (window() == nullptr)
        return false;
    if (pressFocusedButtonOnEnter(message))
        return true;
    // Before the dialog keyboard, which would hand the keys to the focused control.
    if (isForWindow(message, window())) {
        if (const int command = pictureShortcutCommand(message)) {
            runPictureCommand(command, window());
            return true;
        }
    }
    return IsDialogMessageW(window(), &message);
}

// Enter presses the push button that has the focus, however it got there. The
// dialog keyboard presses only the default button, and a button focused by a
// click, or by the platform at the start, is not made the default: Enter would
// then send IDOK and end the program.
bool MainDialog::pressFocusedButtonOnEnter(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN)
        return false;
    const HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window(), focus) || !IsWindowEnabled(focus))
        return false;
    if (!(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return false;
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return true;
}

void MainDialog::runIdle()
{
    state_.applyControlStates();
    // Its message comes before the next idle pass, which then finds no file.
    if (!openWhenShown_.empty())
        PostMessageW(window(), WM_OPEN_WHEN_SHOWN, 0, 0);
}

void MainDialog::repaintWaveView()
{
    InvalidateRect(waveView_.window(), nullptr, TRUE);
}

void MainDialog::showFileName(const std::filesystem::path& path)
{
    // The static's path ellipsis shortens a long path in its middle.
    SetDlgItemTextW(window(), IDC_FILE_NAME, path.c_str());
}

} // namespace hwd

#include "BankController.h"

#include "DialogControls.h"
#include "DialogKeys.h"
#include "DialogTemplates.h"
#include "ResourceIds.h"
#include "transfer/MidiSender.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace hwd {

namespace {

constexpr int allControls[] = {IDC_BANK_VIEW, IDC_BANK_OPEN,   IDC_BANK_SAVE,  IDC_BANK_USE,
                               IDC_BANK_CLEAR, IDC_BANK_SEND, IDC_BANK_RESUME, IDC_BANK_CANCEL};

std::string plural(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// The slots of cells in runs: "097-100, 105".
std::string slotRanges(std::span<const int> cells)
{
    std::string text;
    for (std::size_t i = 0; i < cells.size();) {
        std::size_t end = i + 1;
        while (end < cells.size() && cells[end] == cells[end - 1] + 1)
            ++end;
        if (!text.empty())
            text += ", ";
        text += slotText(slotOfCell(cells[i]));
        if (end - i > 1)
            text += "-" + slotText(slotOfCell(cells[end - 1]));
        i = end;
    }
    return text;
}

std::string seconds(std::uint64_t milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(milliseconds) / 1000.0);
    return text;
}

} // namespace

BankController::BankController(BankOwner& owner, MidiSender& sender) : owner_(owner), sender_(sender)
{
    marks_.selected.set(0);
}

void BankController::initialise(DialogControls& window)
{
    window_ = &window;
    window.setControlText(IDC_BANK_STATUS, "");
    refresh();
    window.focusControl(IDC_BANK_VIEW);
}

void BankController::command(int controlId, ControlEvent event)
{
    if (window_ == nullptr)
        return;
    if (run_.active) {
        // While a bank is sent only Cancel, Esc and the close box do anything.
        if (controlId == IDC_BANK_CANCEL || controlId == IDCANCEL) {
            run_.cancelRequested = true;
            run_.closeAfter = controlId == IDCANCEL;
        }
        return;
    }
    const bool pressed = event == ControlEvent::Clicked || event == ControlEvent::Other;
    switch (controlId) {
    case IDCANCEL:
        close();
        break;
    case IDOK:
        if (window_->focusedControl() == IDC_BANK_VIEW)
            takeCell(marks_.cursor);
        break;
    case IDC_BANK_OPEN:
        if (pressed)
            openBank();
        break;
    case IDC_BANK_SAVE:
        if (pressed)
            saveBankAs();
        break;
    case IDC_BANK_USE:
        if (pressed)
            useCurrentWave();
        break;
    case IDC_BANK_CLEAR:
        if (pressed)
            clearSelected();
        break;
    case IDC_BANK_SEND:
        if (pressed)
            startSending(cellsToSend());
        break;
    case IDC_BANK_RESUME:
        if (pressed)
            startSending(resume_);
        break;
    default:
        break;
    }
}

bool BankController::keyPressed(const KeyPress& key)
{
    if (window_ == nullptr)
        return false;
    const bool onCells = !run_.active && window_->focusedControl() == IDC_BANK_VIEW;
    switch (key.key) {
    case KeyPress::Key::Left:
    case KeyPress::Key::Right:
    case KeyPress::Key::Up:
    case KeyPress::Key::Down: {
        if (!onCells)
            return false;
        static constexpr int steps[] = {-1, 1, -BankPicture::columns, BankPicture::columns};
        const int to = marks_.cursor + steps[static_cast<int>(key.key) - static_cast<int>(KeyPress::Key::Left)];
        if (to >= 0 && to < bankCellCount)
            moveCursor(to, key.shift);
        return true;
    }
    case KeyPress::Key::Delete:
        if (!onCells)
            return false;
        clearSelected();
        return true;
    case KeyPress::Key::Control:
        if (key.letter == 'A' && !run_.active) {
            marks_.selected.set();
            refresh();
            return true;
        }
        break;
    default:
        break;
    }
    return takeDialogKey(key, bankTemplate(), PictureWindow::bank, *window_, *this);
}

void BankController::filesDropped(std::vector<std::filesystem::path> files, int controlId, Point point, Size client)
{
    if (window_ == nullptr || run_.active)
        return;
    std::optional<int> cell;
    if (controlId == IDC_BANK_VIEW)
        cell = BankPicture::cellAt(point, client);
    fill(files, cell.value_or(marks_.cursor));
}

void BankController::runIdle()
{
    if (run_.active && window_ != nullptr)
        sendNextDump();
}

Drawing BankController::drawPicture(int controlId, Size client) const
{
    if (controlId != IDC_BANK_VIEW)
        return {};
    BankPicture::Marks marks = marks_;
    marks.focused = window_ != nullptr && window_->focusedControl() == IDC_BANK_VIEW;
    return BankPicture::draw(bank_, marks, client);
}

void BankController::pictureClicked(int controlId, Point point, Size client, ClickKeys held)
{
    if (window_ == nullptr || run_.active || controlId != IDC_BANK_VIEW)
        return;
    window_->focusControl(IDC_BANK_VIEW);
    if (const std::optional<int> cell = BankPicture::cellAt(point, client))
        select(*cell, held);
    refresh();
}

void BankController::pictureDoubleClicked(int controlId, Point point, Size client)
{
    if (window_ == nullptr || run_.active || controlId != IDC_BANK_VIEW)
        return;
    if (const std::optional<int> cell = BankPicture::cellAt(point, client))
        takeCell(*cell);
}

void BankController::setEnabled(bool enabled)
{
    if (window_ != nullptr)
        window_->enableControl(0, enabled);
}

void BankController::currentWaveChanged()
{
    if (window_ != nullptr)
        refresh();
}

void BankController::stopSending()
{
    if (!run_.active)
        return;
    run_ = {};
    owner_.bankSending(false);
}

void BankController::fill(std::span<const std::filesystem::path> files, int firstCell)
{
    const BankFill filled = fillBank(bank_, firstCell, files);
    marks_.selected.reset();
    marks_.selected.set(static_cast<std::size_t>(firstCell));
    marks_.cursor = anchor_ = firstCell;
    window_->setControlText(IDC_BANK_STATUS, plural(static_cast<std::size_t>(filled.filled), "wave", "waves") + " taken");
    refresh();
    if (const std::string problem = fillProblemText(filled); !problem.empty())
        window_->showMessage(problem, MessageIcon::Warning);
}

void BankController::openBank()
{
    if (std::optional<std::filesystem::path> chosen =
            window_->chooseFileToOpen(DialogControls::OpenTypes::waveFilesAndDumps))
        fill(std::span(&*chosen, 1), marks_.cursor);
}

void BankController::saveBankAs()
{
    if (std::none_of(bank_.begin(), bank_.end(), [](const auto& cell) { return cell.has_value(); }))
        return;
    const std::filesystem::path suggested = lastSaved_.empty() ? std::filesystem::path("bank.syx") : lastSaved_;
    const std::optional<std::filesystem::path> target =
        window_->chooseSaveTarget(suggested, DialogControls::SaveTypes::bank);
    if (!target)
        return;
    if (const std::string problem = saveBank(bank_, *target); !problem.empty()) {
        window_->showMessage(problem, MessageIcon::Warning);
        return;
    }
    lastSaved_ = *target;
    window_->setControlText(IDC_BANK_STATUS, "Saved to " + utf8Name(target->filename()));
}

void BankController::useCurrentWave()
{
    const Waveshape& wave = owner_.currentWave();
    if (!wave.loaded)
        return;
    bank_[static_cast<std::size_t>(marks_.cursor)] = BankCell{wave.samples, owner_.currentWaveName()};
    refresh();
}

void BankController::clearSelected()
{
    for (int cell = 0; cell < bankCellCount; ++cell) {
        if (marks_.selected[static_cast<std::size_t>(cell)])
            bank_[static_cast<std::size_t>(cell)].reset();
    }
    refresh();
}

void BankController::takeCell(int cell)
{
    if (const auto& filled = bank_[static_cast<std::size_t>(cell)])
        owner_.takeBankWave(filled->samples, filled->name);
}

std::vector<int> BankController::cellsToSend() const
{
    const bool onlySelected = marks_.selected.count() > 1;
    std::vector<int> cells;
    for (int cell = 0; cell < bankCellCount; ++cell) {
        if (bank_[static_cast<std::size_t>(cell)] && (!onlySelected || marks_.selected[static_cast<std::size_t>(cell)]))
            cells.push_back(cell);
    }
    return cells;
}

void BankController::startSending(std::vector<int> cells)
{
    std::erase_if(cells, [this](int cell) { return !bank_[static_cast<std::size_t>(cell)]; });
    if (cells.empty())
        return;
    run_ = Run{std::move(cells), 0, owner_.milliseconds(), true, false, false};
    resume_.clear();
    owner_.bankSending(true);
    // Cancel takes the focus before the rest is disabled under it.
    window_->enableControl(IDC_BANK_CANCEL, true);
    window_->focusControl(IDC_BANK_CANCEL);
    refresh();
    showProgress();
}

void BankController::showProgress()
{
    const int slot = slotOfCell(run_.cells[run_.next]);
    window_->setControlText(IDC_BANK_STATUS, "Sending " + slotText(slot) + " (" + std::to_string(run_.next + 1) + " of "
                                                 + std::to_string(run_.cells.size()) + ")...");
    // The next dump goes at the next idle pass, once the windows have repainted.
    window_->later([] {});
}

void BankController::sendNextDump()
{
    if (run_.cancelRequested) {
        finishRun("Cancelled: " + sentLine());
        return;
    }
    const int cell = run_.cells[run_.next];
    const int slot = slotOfCell(cell);
    Waveshape wave;
    wave.samples = bank_[static_cast<std::size_t>(cell)]->samples;
    wave.loaded = true;
    const SendOutcome outcome = sender_.send(wave, owner_.selectedPort(), static_cast<std::uint8_t>(slot - 1));
    if (outcome.result != SendResult::sent) {
        std::string reason = outcome.message();
        if (reason.empty())
            reason = "The port did not finish sending within 30 seconds; the dump may not have arrived whole.";
        finishRun(sentLine() + "; " + slotText(slot) + " failed");
        window_->showMessage("Slot " + slotText(slot) + " was not sent.\n" + reason, MessageIcon::Error);
        return;
    }
    ++run_.next;
    if (run_.next == run_.cells.size())
        finishRun(sentLine());
    else
        showProgress();
}

void BankController::finishRun(const std::string& line)
{
    const bool closeAfter = run_.closeAfter;
    resume_.assign(run_.cells.begin() + static_cast<std::ptrdiff_t>(run_.next), run_.cells.end());
    run_ = {};
    owner_.bankSending(false);
    window_->setControlText(IDC_BANK_STATUS, line);
    refresh();
    window_->focusControl(resume_.empty() ? IDC_BANK_SEND : IDC_BANK_RESUME);
    if (closeAfter)
        close();
}

std::string BankController::sentLine() const
{
    if (run_.next == 0)
        return "no wave sent";
    const std::span<const int> sent(run_.cells.data(), run_.next);
    return plural(sent.size(), "wave", "waves") + " sent to " + slotRanges(sent) + " in "
        + seconds(owner_.milliseconds() - run_.startMs);
}

void BankController::close()
{
    DialogControls* window = std::exchange(window_, nullptr);
    window->endDialog(0);
}

void BankController::select(int cell, ClickKeys held)
{
    const auto index = static_cast<std::size_t>(cell);
    if (held.control) {
        marks_.selected.flip(index);
        marks_.cursor = anchor_ = cell;
    } else if (held.shift) {
        moveCursor(cell, true);
    } else {
        moveCursor(cell, false);
    }
}

void BankController::moveCursor(int to, bool extend)
{
    marks_.cursor = to;
    if (!extend)
        anchor_ = to;
    marks_.selected.reset();
    for (int cell = std::min(anchor_, to); cell <= std::max(anchor_, to); ++cell)
        marks_.selected.set(static_cast<std::size_t>(cell));
    refresh();
}

void BankController::refresh()
{
    if (window_ == nullptr)
        return;
    const bool idle = !run_.active;
    const bool anyFilled = std::any_of(bank_.begin(), bank_.end(), [](const auto& cell) { return cell.has_value(); });
    bool selectedFilled = false;
    for (int cell = 0; cell < bankCellCount; ++cell)
        selectedFilled = selectedFilled || (marks_.selected[static_cast<std::size_t>(cell)] && bank_[static_cast<std::size_t>(cell)]);
    const std::pair<int, bool> states[] = {
        {IDC_BANK_VIEW, idle},
        {IDC_BANK_OPEN, idle},
        {IDC_BANK_SAVE, idle && anyFilled},
        {IDC_BANK_USE, idle && owner_.currentWave().loaded},
        {IDC_BANK_CLEAR, idle && selectedFilled},
        {IDC_BANK_SEND, idle && anyFilled},
        {IDC_BANK_RESUME, idle && !resume_.empty()},
        {IDC_BANK_CANCEL, !idle},
    };
    static_assert(std::size(states) == std::size(allControls));
    const int focused = window_->focusedControl();
    for (const auto& [controlId, enabled] : states) {
        // A control that loses its enabling with the focus leaves it with the cells, or Cancel.
        if (!enabled && focused == controlId)
            window_->focusControl(idle ? IDC_BANK_VIEW : IDC_BANK_CANCEL);
        window_->enableControl(controlId, enabled);
    }
    window_->setControlText(IDC_BANK_RESUME,
                            resume_.empty() ? "&Resume" : "&Resume from " + slotText(slotOfCell(resume_.front())));
    window_->repaintControl(IDC_BANK_VIEW);
}

} // namespace hwd

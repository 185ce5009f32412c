#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class DialogUnits;
class QPushButton;
class WaveView;
struct Waveshape;

// The modal editor of the current wave: a large view that the user draws on with
// the left button and six buttons that run the wave operations. It edits the wave
// in place, so OK (result 1) and Escape (result 2) both keep every change; the
// opening snapshot lets Undo go back to the wave as it was when the editor opened.
class WaveTweakerDialog final : public QDialog {
    Q_OBJECT

public:
    // Random PD's seed: the milliseconds since the system started, unless replaced.
    using TickSource = std::function<std::uint32_t()>;

    WaveTweakerDialog(Waveshape& wave, QWidget* owner = nullptr);

    [[nodiscard]] WaveView* view() const noexcept { return view_; }
    void setTickSource(TickSource ticks);

public slots:
    // Escape ends the editor with 2, as a cancelled dialog does.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPushButton* addButton(const DialogUnits& dialogUnits, const QString& text, const char* name, QRect units);
    [[nodiscard]] bool isOverView(QPoint point) const;
    void sendPenPoint(QPoint point);

    Waveshape& wave_;
    WaveView* view_ = nullptr;
    TickSource ticks_;
};

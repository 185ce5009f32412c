#pragma once

#include <QFrame>

namespace hwd {

struct Waveshape;

// The bar picture of the current wave: a light-blue box with a black outline,
// one black bar per sample from the centre line, the centre line over them and a
// red "*" when the wave was resampled. In edit mode it takes pen points, each
// setting one sample to the height of the point, and draws full scale.
//
// The main dialog's view reports double clicks (notify); the Wave Tweaker's view
// lets mouse presses and moves through to its dialog, which turns them into pen
// points. A right click on either asks for the picture's menu; the pen is the
// left button alone.
class WaveView final : public QFrame {
    Q_OBJECT

public:
    enum class MouseReports { Notify, PassThrough };

    WaveView(Waveshape& wave, MouseReports reports, QWidget* parent = nullptr);

    [[nodiscard]] bool editMode() const noexcept { return editMode_; }
    void setEditMode(bool on) noexcept { editMode_ = on; }

    // One pen point in the view's client coordinates (pixels from the top-left
    // corner of the area inside the sunken edge). Ignored unless in edit mode;
    // repaints only the six-pixel strip around x.
    void penPoint(QPoint point);

    // The client area: the view's contents rectangle, inside its frame.
    [[nodiscard]] QRect clientArea() const;

    // The logical height E of the picture, by the platform family and edit mode.
    [[nodiscard]] int verticalExtent() const noexcept;

signals:
    void doubleClicked();
    // A right click on a view that reports its mouse, at this point of the screen.
    void menuRequested(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Waveshape& wave_;
    MouseReports reports_;
    bool editMode_ = false;
};

} // namespace hwd

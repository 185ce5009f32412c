#pragma once

#include <QFrame>

#include <optional>

namespace hwd {

class DialogController;

// A Picture control: a sunken box whose controller draws it. Each paint asks
// the controller for the drawing of the client area (inside the sunken edge)
// at its present size and fills exactly its rectangles, in order, then writes
// its texts in the dialog's font. A notifying picture reports each left press
// in its client area, in client pixels, with Shift and Ctrl, and the second
// press of a double click as a double click; a right click on any picture
// asks for the picture's menu. One with a tab stop takes the keyboard focus,
// and repaints as it comes and goes, since the controller draws it.
class PictureView final : public QFrame {
    Q_OBJECT

public:
    enum class MouseReports { Notify, MenuOnly };

    PictureView(DialogController& controller, int controlId, MouseReports reports, QWidget* parent = nullptr);

    // The client area: the view's contents rectangle, inside its frame.
    [[nodiscard]] QRect clientArea() const { return contentsRect(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The press's pixel in the client area, when it is a left press there that
    // this picture reports.
    [[nodiscard]] std::optional<QPoint> reportedPress(const QMouseEvent& event) const;

    DialogController& controller_;
    int controlId_;
    MouseReports reports_;
};

} // namespace hwd

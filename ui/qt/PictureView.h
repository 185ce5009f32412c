#pragma once

#include <QFrame>

namespace hwd {

class DialogController;

// A Picture control: a sunken box whose controller draws it. Each paint asks
// the controller for the drawing of the client area (inside the sunken edge)
// at its present size and fills exactly its rectangles, in order. A notifying
// picture reports each left press in its client area, in client pixels; a
// right click on any picture asks for the picture's menu.
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

private:
    DialogController& controller_;
    int controlId_;
    MouseReports reports_;
};

} // namespace hwd

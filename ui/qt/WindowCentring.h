#pragma once

class QWidget;

namespace hwd {

// Places a dialog as it opens: centred over owner when owner is visible and not
// minimised, else on the primary screen's work area, and in either case kept
// inside the work area. Only the position changes. The window's frame must be
// known by then, so its native window has to exist (QWidget::create()).
namespace WindowCentring {

void centre(QWidget& window, const QWidget* owner);

} // namespace WindowCentring

} // namespace hwd

#pragma once

#include <QDialog>

namespace hwd {

// The About box: the program's icon, title and version, and an OK button. It
// runs modally for one showing, centred over its owner, and ends with OK, Enter,
// Esc or its close box alike.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner);
};

} // namespace hwd

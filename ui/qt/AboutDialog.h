#pragma once

#include <QDialog>

// The About box: the program's icon, title and version, and an OK button. It
// runs modally for one showing, centred over its owner, and ends with OK, Enter,
// Esc or its close box alike.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner);
};

namespace AboutTexts {
inline constexpr const char* title = "Harlix WaveDump Applet v1.3";
inline constexpr const char* authorship = "By the Harlix Wave Dump authors";
inline constexpr const char* contact = "Bug reports: see the project home page";
} // namespace AboutTexts

#pragma once

#include <QLabel>

class QFontMetrics;

namespace hwd {

// A one-line label for a file path. A path too wide for the label loses
// characters in its middle and keeps its last component, so the file's own name
// stays readable; text() keeps the whole path.
class PathLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // What the label shows at its present width.
    [[nodiscard]] QString displayedText() const;

    [[nodiscard]] static QString elidedPath(const QString& path, const QFontMetrics& metrics, int width);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace hwd

#pragma once

#include <QPointer>
#include <QString>

#include <initializer_list>
#include <vector>

class QWidget;

// Deferred enabling of a fixed set of controls: the wanted state is recorded at
// once and reaches the controls only when the idle task applies it, so several
// changes between two idle passes reach a control as one, the last recorded.
// Rows start out agreeing with the template, where every control is enabled.
class ControlStateTable final {
public:
    // Each id is the objectName of a child control of the containers.
    ControlStateTable(std::initializer_list<const char*> ids);

    // The windows whose children the rows name.
    void addContainer(QWidget& container);

    // Records the wanted state; an unknown id is ignored.
    void setControlEnabled(const QString& id, bool enabled);
    // Applies every recorded change to the controls; nothing when none is pending.
    void applyControlStates();

    [[nodiscard]] bool pending() const noexcept { return tablePending_; }

private:
    struct Row {
        QString id;
        bool disabled = false;
        bool pending = false;
    };

    std::vector<Row> rows_;
    std::vector<QPointer<QWidget>> containers_;
    bool tablePending_ = false;
};

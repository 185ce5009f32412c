#include "ControlStateTable.h"

#include <QWidget>

#include <algorithm>

ControlStateTable::ControlStateTable(std::initializer_list<const char*> ids)
{
    for (const char* id : ids)
        rows_.push_back({QString::fromLatin1(id)});
}

void ControlStateTable::addContainer(QWidget& container)
{
    containers_.emplace_back(&container);
}

void ControlStateTable::setControlEnabled(const QString& id, bool enabled)
{
    const auto row = std::find_if(rows_.begin(), rows_.end(), [&id](const Row& candidate) { return candidate.id == id; });
    if (row == rows_.end())
        return;
    if (enabled == row->disabled) {
        row->disabled = !enabled;
        row->pending = true;
    }
    // A change recorded earlier and not applied yet keeps the table pending too.
    if (row->pending)
        tablePending_ = true;
}

void ControlStateTable::applyControlStates()
{
    if (!tablePending_)
        return;
    for (Row& row : rows_) {
        if (!row.pending)
            continue;
        for (const QPointer<QWidget>& container : containers_) {
            if (container.isNull())
                continue;
            if (auto* control = container->findChild<QWidget*>(row.id, Qt::FindDirectChildrenOnly))
                control->setEnabled(!row.disabled);
        }
        row.pending = false;
    }
    tablePending_ = false;
}

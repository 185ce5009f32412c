#include "ControlStateTable.h"

#include <algorithm>
#include <utility>

namespace hwd {

ControlStateTable::ControlStateTable(std::initializer_list<int> controlIds)
{
    for (const int id : controlIds)
        rows_.push_back({id});
}

void ControlStateTable::addContainer(Container container)
{
    containers_.push_back(std::move(container));
}

void ControlStateTable::setControlEnabled(int controlId, bool enabled)
{
    const auto row = std::find_if(rows_.begin(), rows_.end(), [controlId](const Row& r) { return r.id == controlId; });
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
        for (const Container& container : containers_)
            container(row.id, !row.disabled);
        row.pending = false;
    }
    tablePending_ = false;
}

bool ControlStateTable::enabled(int controlId) const noexcept
{
    const auto row = std::find_if(rows_.begin(), rows_.end(), [controlId](const Row& r) { return r.id == controlId; });
    return row == rows_.end() || !row->disabled;
}

} // namespace hwd

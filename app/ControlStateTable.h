#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

namespace hwd {

// Deferred enabling of a fixed set of controls: the wanted state is recorded
// at once and reaches the controls only when the idle task applies it, so
// several changes between two idle passes reach a control as one, the last
// recorded. Rows start out agreeing with the template, where every control is
// enabled.
class ControlStateTable final {
public:
    // Enables (true) or disables the container's child with this id; a
    // container that has no such child, or is gone, does nothing.
    using Container = std::function<void(int controlId, bool enabled)>;

    ControlStateTable(std::initializer_list<int> controlIds);

    // A window whose children the rows name.
    void addContainer(Container container);

    // Records the wanted state; an unknown id is ignored.
    void setControlEnabled(int controlId, bool enabled);
    // Applies every recorded change to the containers' controls; nothing when
    // none is pending.
    void applyControlStates();

    [[nodiscard]] bool pending() const noexcept { return tablePending_; }
    // The recorded state of a row; true for an unknown id.
    [[nodiscard]] bool enabled(int controlId) const noexcept;

private:
    struct Row {
        int id;
        bool disabled = false;
        bool pending = false;
    };

    std::vector<Row> rows_;
    std::vector<Container> containers_;
    bool tablePending_ = false;
};

} // namespace hwd

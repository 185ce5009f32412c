// Deferred enabling: the table records at once and reaches the containers only
// at the idle pass, each row once, with its last recorded state.

#include "tests/support/CaseNames.h"
#include "app/ControlStateTable.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using Calls = std::vector<std::pair<int, bool>>;

// A container that writes down what the table asks of it.
struct RecordingContainer {
    Calls calls;

    ControlStateTable::Container container()
    {
        return [this](int controlId, bool enabled) { calls.emplace_back(controlId, enabled); };
    }
};

struct Recording {
    const char* name;
    std::vector<bool> recorded; // for IDC_SEND, in order
    bool pendingBefore;
    Calls applied;
    bool enabledAfter;
};

class ControlStateTableRecordings : public ::testing::TestWithParam<Recording> {};

TEST_P(ControlStateTableRecordings, reachTheContainerAtTheIdlePassOnly)
{
    const Recording& row = GetParam();
    ControlStateTable table{IDC_SEND, IDC_RELOAD};
    RecordingContainer dialog;
    table.addContainer(dialog.container());

    for (const bool enabled : row.recorded)
        table.setControlEnabled(IDC_SEND, enabled);
    EXPECT_EQ(table.pending(), row.pendingBefore);
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_EQ(table.enabled(IDC_SEND), row.enabledAfter);

    table.applyControlStates();
    EXPECT_EQ(dialog.calls, row.applied);
    EXPECT_FALSE(table.pending());
    EXPECT_TRUE(table.enabled(IDC_RELOAD));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ControlStateTableRecordings,
    ::testing::Values(Recording{"nothing recorded", {}, false, {}, true},
                      Recording{"enable what the template enables", {true}, false, {}, true},
                      Recording{"disable", {false}, true, {{1000, false}}, false},
                      Recording{"disable twice", {false, false}, true, {{1000, false}}, false},
                      Recording{"disable, enable, disable: one call", {false, true, false}, true, {{1000, false}}, false},
                      // The earlier change is still pending, so the row is applied
                      // with the state it ended in.
                      Recording{"disable then enable: the last wins", {false, true}, true, {{1000, true}}, true}),
    CaseNames::byName);

TEST(ControlStateTable, unknownIdIsIgnored)
{
    ControlStateTable table{IDC_SEND};
    RecordingContainer dialog;
    table.addContainer(dialog.container());
    table.setControlEnabled(IDCANCEL, false);
    EXPECT_FALSE(table.pending());
    EXPECT_TRUE(table.enabled(IDCANCEL));
    table.applyControlStates();
    EXPECT_TRUE(dialog.calls.empty());
}

// A pass with nothing pending calls nobody, and asking again for the state
// already recorded makes nothing pending.
TEST(ControlStateTable, nothingPendingCallsNobody)
{
    ControlStateTable table{IDC_SEND};
    RecordingContainer dialog;
    table.addContainer(dialog.container());
    table.setControlEnabled(IDC_SEND, false);
    table.applyControlStates();
    ASSERT_EQ(dialog.calls, (Calls{{1000, false}}));

    table.setControlEnabled(IDC_SEND, false);
    EXPECT_FALSE(table.pending());
    table.applyControlStates();
    EXPECT_EQ(dialog.calls, (Calls{{1000, false}}));
}

// Rows go out in the table's order, not in the order they were recorded, and
// every container gets every pending row.
TEST(ControlStateTable, everyContainerGetsThePendingRowsInTableOrder)
{
    ControlStateTable table{IDC_SEND, IDC_RELOAD};
    RecordingContainer first;
    RecordingContainer second;
    table.addContainer(first.container());
    table.addContainer(second.container());
    table.setControlEnabled(IDC_RELOAD, false);
    table.setControlEnabled(IDC_SEND, false);
    table.applyControlStates();
    EXPECT_EQ(first.calls, (Calls{{1000, false}, {1006, false}}));
    EXPECT_EQ(second.calls, first.calls);
}

// The main dialog records before its window is a container; the first pass
// after it joins brings the controls up to date.
TEST(ControlStateTable, containerAddedAfterTheRecordingGetsItAtTheNextPass)
{
    ControlStateTable table{IDC_SEND, IDC_RELOAD};
    table.setControlEnabled(IDC_SEND, false);
    table.setControlEnabled(IDC_RELOAD, false);
    RecordingContainer dialog;
    table.addContainer(dialog.container());
    table.applyControlStates();
    EXPECT_EQ(dialog.calls, (Calls{{1000, false}, {1006, false}}));
}

TEST(ControlStateTable, passWithoutContainersStillSettlesTheRows)
{
    ControlStateTable table{IDC_SEND};
    table.setControlEnabled(IDC_SEND, false);
    table.applyControlStates();
    EXPECT_FALSE(table.pending());
    RecordingContainer late;
    table.addContainer(late.container());
    table.applyControlStates();
    EXPECT_TRUE(late.calls.empty());
    EXPECT_FALSE(table.enabled(IDC_SEND));
}

} // namespace

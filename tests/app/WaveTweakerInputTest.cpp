// Which mouse input over the Wave Tweaker becomes a pen point, and when edit
// mode turns on.

#include "tests/support/CaseNames.h"
#include "app/WaveTweakerInput.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using WaveTweakerInput::Pointer;

struct Input {
    const char* name;
    Pointer pointer;
    bool leftButton;
    bool overView;
    bool editModeBefore;
    bool takes;
    bool editModeAfter;
};

class WaveTweakerInputRows : public ::testing::TestWithParam<Input> {};

TEST_P(WaveTweakerInputRows, takesPointAndEditMode)
{
    const Input& row = GetParam();
    bool editMode = row.editModeBefore;
    EXPECT_EQ(WaveTweakerInput::takesPoint(row.pointer, row.leftButton, row.overView, editMode), row.takes);
    EXPECT_EQ(editMode, row.editModeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WaveTweakerInputRows,
    ::testing::Values(
        // The first press on the view turns edit mode on and already draws.
        Input{"firstPressOnTheView", Pointer::Press, true, true, false, true, true},
        Input{"laterPressOnTheView", Pointer::Press, true, true, true, true, true},
        Input{"rightPressOnTheView", Pointer::Press, false, true, false, false, false},
        Input{"pressBesideTheView", Pointer::Press, true, false, false, false, false},
        Input{"pressBesideTheViewInEditMode", Pointer::Press, true, false, true, false, true},
        // A drag goes to the view, which ignores it until edit mode is on.
        Input{"dragBeforeAnyPress", Pointer::Move, true, true, false, true, false},
        Input{"dragInEditMode", Pointer::Move, true, true, true, true, true},
        Input{"moveWithoutTheButton", Pointer::Move, false, true, true, false, true},
        Input{"dragBesideTheView", Pointer::Move, true, false, true, false, true},
        // The second press of a double click is no press.
        Input{"doubleClickOnTheView", Pointer::DoubleClick, true, true, true, false, true},
        Input{"doubleClickBeforeAnyPress", Pointer::DoubleClick, true, true, false, false, false},
        Input{"rightDoubleClick", Pointer::DoubleClick, false, true, true, false, true}),
    CaseNames::byName);

} // namespace

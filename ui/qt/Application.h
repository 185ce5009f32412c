#pragma once

#include <Qt>

namespace hwd {

class MidiOutput;

// The start-up and shut-down of the program around its one window: registers the
// thread's message loop, creates the main dialog, shows it with showCommand
// (Qt::WindowMinimized starts it minimised) and runs the loop. Answers the exit
// code: 2 after Quit, Esc or the close box, 1 after the OK command, 0 when the
// main dialog cannot be created. The program reads no command line: whatever
// it was started with, the dialog opens empty.
[[nodiscard]] int runApplication(Qt::WindowStates showCommand = Qt::WindowNoState);

// The same on a given MIDI output instead of the system's.
[[nodiscard]] int runApplication(MidiOutput& midi, Qt::WindowStates showCommand);

} // namespace hwd

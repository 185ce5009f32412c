#pragma once

#include <Qt>

#include <filesystem>

namespace hwd {

class MidiOutput;
class PreviewOutput;

// The start-up and shut-down of the program around its one window: registers the
// thread's message loop, creates the main dialog, shows it with showCommand
// (Qt::WindowMinimized starts it minimised) and runs the loop. Answers the exit
// code: 2 after Quit, Esc or the close box, 1 after the OK command, 0 when the
// main dialog cannot be created. A file named on the command line is loaded
// once the window is shown, as a drop would load it, with the warning box when
// it is refused; without one the dialog opens empty.
[[nodiscard]] int runApplication(Qt::WindowStates showCommand = Qt::WindowNoState,
                                 const std::filesystem::path& commandLineFile = {});

// The same on a given MIDI output instead of the system's and, when preview is
// given, with Listen playing on it instead of the default audio output.
[[nodiscard]] int runApplication(MidiOutput& midi, Qt::WindowStates showCommand,
                                 const std::filesystem::path& commandLineFile = {}, PreviewOutput* preview = nullptr);

} // namespace hwd

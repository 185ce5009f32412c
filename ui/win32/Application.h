#pragma once

#include <filesystem>

namespace hwd {

class MidiOutput;

// The program's run: one message loop registered for this thread, the main
// dialog's controller over the system's MIDI output and waveOut preview, the
// main dialog created hidden, shown with showCommand, the file named on the
// command line (if any) opened once the dialog shows, and the loop run until
// the dialog asks to quit. Answers the exit code: 2 after Quit, Esc or the
// close box, 1 after the command IDOK, 0 when the main dialog could not be
// made.
int runApplication(int showCommand, const std::filesystem::path& fileToOpen = {});
// The same with the MIDI output given (tests hand in a scripted one).
int runApplication(int showCommand, const std::filesystem::path& fileToOpen, MidiOutput& midi);

} // namespace hwd

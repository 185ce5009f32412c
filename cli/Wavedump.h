#pragma once

namespace hwd {

class MidiOutput;

// Runs one wavedump command line (argv[0] the program's name, argv[1] the
// command) and answers its exit status: 0 done, 1 a file did not load, could
// not be written or the MIDI port refused it, 2 a usage error. ports, send and
// send-syx work on midi, which the caller owns; everything is printed on the
// process's standard output and standard error. stderrIsTerminal: whether
// standard error is a terminal, as the platform's entry point tells it; send
// and send-syx then say which dump is going out.
[[nodiscard]] int wavedumpMain(int argc, char** argv, MidiOutput& midi, bool stderrIsTerminal);

} // namespace hwd

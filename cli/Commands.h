#pragma once

namespace hwd {

class MidiOutput;

// What the MIDI commands work with: the caller's MIDI output, and whether
// standard error is a terminal that someone watches, which alone gets a bank's
// progress lines.
struct MidiConsole {
    MidiOutput& midi;
    bool stderrIsTerminal = false;
};

// One function per subcommand. Each gets the arguments after the subcommand's
// name and answers the process exit code: 0 done, 1 the load, open or send
// failed, 2 a usage error. The MIDI commands work on the caller's output.
[[nodiscard]] int runSamples(int argc, char** argv);
[[nodiscard]] int runInfo(int argc, char** argv);
[[nodiscard]] int runSyx(int argc, char** argv);
[[nodiscard]] int runShow(int argc, char** argv);
[[nodiscard]] int runWav(int argc, char** argv);
[[nodiscard]] int runRender(int argc, char** argv);
[[nodiscard]] int runPlay(int argc, char** argv);
[[nodiscard]] int runCycle(int argc, char** argv);
[[nodiscard]] int runUnpack(int argc, char** argv);
[[nodiscard]] int runPorts(int argc, char** argv, const MidiConsole& console);
[[nodiscard]] int runSend(int argc, char** argv, const MidiConsole& console);
[[nodiscard]] int runSendSyx(int argc, char** argv, const MidiConsole& console);

} // namespace hwd

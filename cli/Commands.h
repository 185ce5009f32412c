#pragma once

namespace hwd {

class MidiOutput;

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
[[nodiscard]] int runPorts(int argc, char** argv, MidiOutput& midi);
[[nodiscard]] int runSend(int argc, char** argv, MidiOutput& midi);
[[nodiscard]] int runSendSyx(int argc, char** argv, MidiOutput& midi);

} // namespace hwd

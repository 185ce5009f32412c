#pragma once

#include <string>
#include <vector>

namespace hwd { class MidiOutput; }

// What one in-process run of a wavedump command line printed and answered.
struct InProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs wavedump's commands in this process on midi, with standard output and
// standard error caught for the length of the run; args follow the program's
// name, as in {"send", "wave.wav", "--slot", "97"}. stderrIsTerminal: what the
// commands are told of standard error, which is a file all the same.
[[nodiscard]] InProcessResult runInProcess(const std::vector<std::string>& args, hwd::MidiOutput& midi,
    bool stderrIsTerminal = false);

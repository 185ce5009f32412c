#pragma once

#include "wave/WaveOps.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hwd {

// The command line of a wave subcommand (samples, info, syx, show, send):
//
//   FILE...            the WAV files; at least one, at most ArgumentRules::maxFiles
//   --op OP            an edit, repeatable, applied in order (see wave/WaveOps.h)
//   --seed N           0 to 4294967295, the seed of every random-pd
//   --slot N           the user slot, 97 to 128
//   -o OUT             where the output goes; "-" is standard output
//   --help, -h         wins over everything else
//
// Options may also be written --name=VALUE; "--" ends the options. Only the
// options that the rules accept are known, so `wavedump info --op filter` is an
// unknown option. A subcommand starts like this:
//
//   const CommandLine line = parseCommandLine("syx", usage, argc, argv, rules);
//   if (line.exitCode) return *line.exitCode;

struct ArgumentRules {
    std::size_t maxFiles = 1; // 0: the command takes no FILE
    bool waveOps = false; // --op and --seed
    bool slot = false;    // --slot, then also required
    bool output = false;  // -o, then also required
    bool optionalOutput = false; // -o, which may be left out
    // Further options that take one value (such as "--port"); each may be given
    // once and none is required here.
    std::span<const std::string_view> otherOptions{};
};

struct Arguments {
    bool help = false;
    std::vector<std::string> files;
    std::vector<WaveOp> ops;
    std::optional<std::uint32_t> seed;
    std::optional<int> slot;
    std::optional<std::string> output;
    std::vector<std::pair<std::string, std::string>> others;

    // The value of one of ArgumentRules::otherOptions, or nullptr when not given.
    [[nodiscard]] const std::string* other(std::string_view name) const noexcept;
};

struct ParseResult {
    Arguments arguments;
    std::string problem; // empty when the command line is fine
};

// Parses the arguments after the subcommand's name. A problem names what is
// wrong in a few words, e.g. "--slot must be 97 to 128, got 96".
[[nodiscard]] ParseResult parseArguments(int argc, char** argv, const ArgumentRules& rules);

// Prints "wavedump COMMAND: PROBLEM" as one line on standard error (line breaks
// in PROBLEM made blanks) and returns the usage error's exit code, 2.
int usageError(std::string_view command, std::string_view problem);

struct CommandLine {
    Arguments arguments;
    // Set when the command is to return at once: 0 after --help printed usage to
    // standard output, 2 after a usage error on standard error.
    std::optional<int> exitCode;
};

// Parses the arguments of the subcommand command and deals with --help and
// usage errors, as every subcommand does first.
[[nodiscard]] CommandLine parseCommandLine(std::string_view command, const char* usage, int argc, char** argv,
    const ArgumentRules& rules);

} // namespace hwd

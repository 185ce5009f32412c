#pragma once

#include "FileBytes.h"
#include "ScratchDirectory.h"
#include "Subprocess.h"
#include "WavBytes.h"

#include "ExpectedWaves.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

using RunResult = Subprocess::Result;

// Runs the built wavedump with args, standard input empty; a run still going
// after 60 seconds is ended and answers the exit code 124.
[[nodiscard]] RunResult runWavedump(const std::vector<std::string>& args);

[[nodiscard]] std::vector<std::string> lines(const std::string& text);

// A file from the source tree, e.g. "examples/saw.wav".
[[nodiscard]] std::filesystem::path sourceFile(std::string_view relative);

// A fresh folder per test, removed afterwards.
class CliTest : public ::testing::Test {
protected:
    [[nodiscard]] std::filesystem::path file(std::string_view name) const { return scratch_.file(name); }
    // Writes bytes to a file in the test's folder and returns its path.
    std::filesystem::path makeFile(std::string_view name, std::string_view bytes) const
    {
        return scratch_.write(name, bytes);
    }

    ScratchDirectory scratch_;
    const std::filesystem::path folder_ = scratch_.path();
};

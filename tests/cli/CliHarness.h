#pragma once

#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one run of wavedump left behind.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built wavedump with args, standard input empty; a run still going
// after 60 seconds is ended and answers the exit code 124.
[[nodiscard]] RunResult runWavedump(const std::vector<std::string>& args);

// Runs any program through the shell; false when it did not exit with 0.
[[nodiscard]] bool runProgram(const std::vector<std::string>& command);

[[nodiscard]] std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] std::vector<std::string> lines(const std::string& text);

// A file from the source tree, e.g. "examples/saw.wav".
[[nodiscard]] std::filesystem::path sourceFile(std::string_view relative);

// WAV files byte by byte, so that every odd layout the loader meets can be made.
namespace WavBytes {
[[nodiscard]] std::string le16(std::uint16_t value);
[[nodiscard]] std::string le32(std::uint32_t value);
// A chunk with its body; declaredSize overrides the size written in the header.
[[nodiscard]] std::string chunk(std::string_view id, std::string_view body,
    std::optional<std::uint32_t> declaredSize = std::nullopt);
[[nodiscard]] std::string format(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits,
    std::string_view extra = {});
// count 16-bit samples whose values tell their positions apart, top bits set in many.
[[nodiscard]] std::string samples(std::size_t count);
[[nodiscard]] std::string riff(const std::vector<std::string>& chunks);
// The usual layout: "fmt " of 16-bit mono PCM, then "data".
[[nodiscard]] std::string mono16(std::size_t sampleCount);
} // namespace WavBytes

// The edits as the library offers them, for computing what wavedump must print.
struct LibraryOp {
    std::string name;
    std::function<void(Waveshape&, std::uint32_t seed)> apply;
};
[[nodiscard]] const std::vector<LibraryOp>& libraryOps();

// What the library makes of a file: load, opening snapshot, ops in order.
struct LibraryWave {
    bool loaded = false;
    const char* message = "";
    Waveshape wave{};
};
[[nodiscard]] LibraryWave libraryWave(const std::filesystem::path& path,
    const std::vector<std::string>& ops = {}, std::uint32_t seed = 0);
// The text `wavedump samples` prints for the wave: one decimal per line.
[[nodiscard]] std::string samplesText(const Waveshape& wave);
[[nodiscard]] std::string dumpBytes(const Waveshape& wave, int slot);

// A fresh folder per test, removed afterwards.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    [[nodiscard]] std::filesystem::path file(std::string_view name) const { return folder_ / name; }
    // Writes bytes to a file in the test's folder and returns its path.
    std::filesystem::path makeFile(std::string_view name, std::string_view bytes) const;

    std::filesystem::path folder_;
};

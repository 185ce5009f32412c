#include "CliHarness.h"

#include "transfer/WaveDumpMessage.h"
#include "wave/WaveFileLoader.h"
#include "wave/WaveOperations.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string shellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string commandLine(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words)
        line += shellQuoted(word) + " ";
    return line;
}

int exitCodeOf(int status)
{
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

RunResult runWavedump(const std::vector<std::string>& args)
{
    const fs::path folder = fs::temp_directory_path();
    const std::string stem = "wavedump-run-" + std::to_string(::getpid());
    const fs::path outFile = folder / (stem + ".out");
    const fs::path errFile = folder / (stem + ".err");
    // A run that blocks (on a FIFO, say) fails its test instead of holding the suite.
    std::vector<std::string> words{"timeout", "60", WAVEDUMP_PROGRAM};
    words.insert(words.end(), args.begin(), args.end());
    const std::string line = commandLine(words) + "</dev/null >" + shellQuoted(outFile.string()) + " 2>"
        + shellQuoted(errFile.string());
    RunResult result;
    result.exitCode = exitCodeOf(std::system(line.c_str()));
    result.out = readBytes(outFile);
    result.err = readBytes(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

bool runProgram(const std::vector<std::string>& command)
{
    return exitCodeOf(std::system((commandLine(command) + ">/dev/null").c_str())) == 0;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream stream(path, std::ios::binary);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream)
        throw std::runtime_error("cannot write test file " + path.string());
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

fs::path sourceFile(std::string_view relative)
{
    return fs::path(PROJECT_SOURCE) / relative;
}

namespace WavBytes {

std::string le16(std::uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string le32(std::uint32_t value)
{
    return le16(static_cast<std::uint16_t>(value & 0xFFFF)) + le16(static_cast<std::uint16_t>(value >> 16));
}

std::string chunk(std::string_view id, std::string_view body, std::optional<std::uint32_t> declaredSize)
{
    return std::string(id) + le32(declaredSize.value_or(static_cast<std::uint32_t>(body.size()))) + std::string(body);
}

std::string format(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits, std::string_view extra)
{
    const std::uint32_t rate = 44100;
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign)
            + le16(bits) + std::string(extra));
}

std::string samples(std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += le16(static_cast<std::uint16_t>(i * 40503u + 12345u));
    return bytes;
}

std::string riff(const std::vector<std::string>& chunks)
{
    std::string body = "WAVE";
    for (const std::string& each : chunks)
        body += each;
    return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

std::string mono16(std::size_t sampleCount)
{
    return riff({format(1, 1, 16), chunk("data", samples(sampleCount))});
}

} // namespace WavBytes

const std::vector<LibraryOp>& libraryOps()
{
    static const std::vector<LibraryOp> ops{
        {"filter", [](Waveshape& wave, std::uint32_t) { WaveOperations::filter(wave); }},
        {"normalize", [](Waveshape& wave, std::uint32_t) { WaveOperations::normalize(wave); }},
        {"additive", [](Waveshape& wave, std::uint32_t) { WaveOperations::additive(wave); }},
        {"random-pd", [](Waveshape& wave, std::uint32_t seed) { WaveOperations::randomPD(wave, seed); }},
        {"clear", [](Waveshape& wave, std::uint32_t) { WaveOperations::clear(wave); }},
        {"undo", [](Waveshape& wave, std::uint32_t) { WaveOperations::undoLast(wave); }},
    };
    return ops;
}

LibraryWave libraryWave(const fs::path& path, const std::vector<std::string>& ops, std::uint32_t seed)
{
    LibraryWave result;
    result.loaded = WaveFileLoader(result.wave).load(path.c_str());
    result.message = result.wave.lastError;
    if (!result.loaded)
        return result;
    WaveOperations::takeSnapshot(result.wave);
    for (const std::string& name : ops) {
        for (const LibraryOp& op : libraryOps()) {
            if (op.name == name)
                op.apply(result.wave, seed);
        }
    }
    return result;
}

std::string samplesText(const Waveshape& wave)
{
    std::string text;
    for (const std::int16_t sample : wave.samples)
        text += std::to_string(sample) + "\n";
    return text;
}

std::string dumpBytes(const Waveshape& wave, int slot)
{
    const auto message = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(slot - 1));
    return {message.begin(), message.end()};
}

void CliTest::SetUp()
{
    std::string pattern = (fs::temp_directory_path() / "wavedump-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a test folder");
    folder_ = pattern;
}

void CliTest::TearDown()
{
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

fs::path CliTest::makeFile(std::string_view name, std::string_view bytes) const
{
    const fs::path path = file(name);
    writeBytes(path, bytes);
    return path;
}

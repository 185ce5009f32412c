#include "ExpectedWaves.h"

#include "CliHarness.h"

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Key (the example's name, its ops, "seed=N" after a random-pd) to row.
const std::map<std::string, std::vector<long>>& rows()
{
    static const std::map<std::string, std::vector<long>> table = [] {
        std::map<std::string, std::vector<long>> read;
        std::ifstream file(sourceFile("tests/cli/expected/waves.txt"));
        for (std::string line; std::getline(file, line);) {
            const std::size_t colon = line.find(':');
            if (line.starts_with('#') || colon == std::string::npos)
                continue;
            std::istringstream numbers(line.substr(colon + 1));
            std::vector<long>& row = read[line.substr(0, colon)];
            for (long number = 0; numbers >> number;)
                row.push_back(number);
        }
        return read;
    }();
    return table;
}

std::vector<long> row(const std::string& key)
{
    const auto found = rows().find(key);
    if (found == rows().end() || found->second.size() != 128) {
        ADD_FAILURE() << "expected/waves.txt has no row of 128 for '" << key << "'";
        return std::vector<long>(128, 0);
    }
    return found->second;
}

} // namespace

fs::path example(std::string_view name)
{
    return sourceFile("examples/" + std::string(name));
}

Samples dataSamples(const fs::path& wav)
{
    const std::string bytes = FileBytes::read(wav);
    bool formatSeen = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        at += 8;
        if (id == "data" && formatSeen) {
            Samples samples;
            for (std::size_t i = 0; i + 1 < std::min(size, bytes.size() - at); i += 2)
                samples.push_back(static_cast<std::int16_t>(littleEndian(bytes, at + i, 2)));
            return samples;
        }
        formatSeen = formatSeen || id == "fmt ";
        at += size;
    }
    ADD_FAILURE() << wav << " has no data chunk after its format chunk";
    return {};
}

Samples loadedSamples(const Samples& run)
{
    if (run.size() == 128)
        return run;
    Samples picked;
    for (const long index : row("picks " + std::to_string(run.size())))
        picked.push_back(run.at(static_cast<std::size_t>(index)));
    return picked;
}

Samples expectedWave(std::string_view example, const std::vector<std::string>& ops, std::uint32_t seed)
{
    std::string key(example);
    bool seeded = false;
    for (const std::string& op : ops) {
        key += " " + op;
        seeded = seeded || op == "random-pd";
    }
    if (seeded)
        key += " seed=" + std::to_string(seed);
    const std::vector<long> values = row(key);
    return Samples(values.begin(), values.end());
}

std::string samplesText(std::span<const std::int16_t> samples)
{
    std::string text;
    for (const std::int16_t sample : samples)
        text += std::to_string(sample) + "\n";
    return text;
}

// F0 01 20 01 0A, the slot minus one, the 256 sample bytes (low byte first) in
// groups of seven, each group led by a byte holding their top bits (bit k for
// the group's k-th byte), then F7.
std::string expectedDump(std::span<const std::int16_t> samples, int slot)
{
    std::string dump(300, '\0');
    const unsigned char head[] = {0xF0, 0x01, 0x20, 0x01, 0x0A, static_cast<unsigned char>(slot - 1)};
    for (std::size_t i = 0; i < 6; ++i)
        dump[i] = static_cast<char>(head[i]);
    dump[299] = static_cast<char>(0xF7);
    for (std::size_t j = 0; j < 256 && j / 2 < samples.size(); ++j) {
        const auto value = static_cast<std::uint16_t>(samples[j / 2]);
        const unsigned byte = j % 2 == 0 ? value & 0xFF : value >> 8;
        const std::size_t group = 6 + 8 * (j / 7);
        dump[group + 1 + j % 7] = static_cast<char>(byte & 0x7F);
        if (byte & 0x80)
            dump[group] = static_cast<char>(dump[group] | 1 << (j % 7));
    }
    return dump;
}

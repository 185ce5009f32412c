#include "Bank.h"

#include "transfer/DumpBank.h"
#include "wave/WavWriter.h"
#include "wave/WaveFileLoader.h"
#include "wave/WholeFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

namespace hwd {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Negative, zero or positive as a sorts before, with or after b by the rule
// of naturalLess, bytes not consulted.
int naturalCompare(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Numbers by value: leading zeros skipped, then the longer run is larger.
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            if (const int order = a.compare(i, endA - i, b, j, endB - j); order != 0)
                return order;
            i = endA;
            j = endB;
            continue;
        }
        if (lower(a[i]) != lower(b[j]))
            return lower(a[i]) < lower(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    return (a.size() - i > 0 ? 1 : 0) - (b.size() - j > 0 ? 1 : 0);
}

bool isDumpFile(const std::filesystem::path& file)
{
    std::string extension = utf8Name(file.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), lower);
    return extension == ".syx";
}

std::string plural(int count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// The cell's name made fit for a file name: no folder separators or other
// characters that a file system refuses.
std::string fileNamePart(const std::string& name)
{
    std::string part = name;
    for (char& c : part) {
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>'
            || c == '|' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    return part;
}

std::string saveWaveFolder(const Bank& bank, std::filesystem::path folder)
{
    std::string extension = utf8Name(folder.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), lower);
    if (extension == ".wav")
        folder.replace_extension();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error))
        return "The bank was not saved: cannot make the folder '" + utf8Name(folder) + "'"
            + (error ? ": " + error.message() : "") + ".";
    for (int cell = 0; cell < bankCellCount; ++cell) {
        if (!bank[cell])
            continue;
        const std::u8string name =
            std::u8string(reinterpret_cast<const char8_t*>(slotText(slotOfCell(cell)).c_str())) + u8"-"
            + std::u8string(reinterpret_cast<const char8_t*>(fileNamePart(bank[cell]->name).c_str())) + u8".wav";
        const auto bytes = WavWriter::waveFile(bank[cell]->samples);
        if (const std::string problem = writeFileWhole(folder / std::filesystem::path(name), bytes); !problem.empty())
            return "The bank was not saved whole: " + problem + ".";
    }
    return {};
}

} // namespace

std::string slotText(int slot)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03d", slot);
    return text;
}

std::string utf8Name(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

bool naturalLess(const std::string& a, const std::string& b)
{
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

BankFill fillBank(Bank& bank, int firstCell, std::span<const std::filesystem::path> files)
{
    BankFill fill;
    std::vector<std::filesystem::path> waves;
    for (const std::filesystem::path& file : files) {
        if (!isDumpFile(file)) {
            waves.push_back(file);
            continue;
        }
        const std::string shown = utf8Name(file.filename());
        const DumpBank dumps = readDumpBank(file, shown);
        if (!dumps.problem.empty()) {
            fill.refused.push_back(dumps.problem);
            continue;
        }
        for (std::size_t i = 0; i < dumps.dumps.size(); ++i) {
            const SlotDump& dump = dumps.dumps[i];
            bank[dump.slot - WaveDumpMessage::firstUserSlot] =
                BankCell{dump.samples, shown + " #" + std::to_string(i + 1)};
            ++fill.filled;
        }
    }
    std::sort(waves.begin(), waves.end(), [](const std::filesystem::path& a, const std::filesystem::path& b) {
        return naturalLess(utf8Name(a.filename()), utf8Name(b.filename()));
    });
    int cell = std::clamp(firstCell, 0, bankCellCount - 1);
    for (const std::filesystem::path& file : waves) {
        if (cell >= bankCellCount) {
            ++fill.pastLastSlot;
            continue;
        }
        Waveshape wave;
        (void)WaveFileLoader(wave).load(file);
        if (wave.loaded) {
            bank[cell] = BankCell{wave.samples, utf8Name(file.stem())};
            ++fill.filled;
        } else {
            fill.refused.push_back(utf8Name(file.filename()) + ": " + wave.lastError);
        }
        ++cell;
    }
    return fill;
}

std::string fillProblemText(const BankFill& fill)
{
    std::string text;
    if (!fill.refused.empty()) {
        text = plural(static_cast<int>(fill.refused.size()), "file was", "files were") + " not taken:";
        for (const std::string& refusal : fill.refused)
            text += "\n" + refusal;
    }
    if (fill.pastLastSlot > 0) {
        if (!text.empty())
            text += "\n\n";
        text += plural(fill.pastLastSlot, "file", "files") + " would pass slot 128 and "
            + (fill.pastLastSlot == 1 ? "was" : "were") + " not taken.";
    }
    return text;
}

std::vector<std::uint8_t> bankDumps(const Bank& bank)
{
    std::vector<std::uint8_t> bytes;
    for (int cell = 0; cell < bankCellCount; ++cell) {
        if (!bank[cell])
            continue;
        Waveshape wave;
        wave.samples = bank[cell]->samples;
        wave.loaded = true;
        const auto dump = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(slotOfCell(cell) - 1));
        bytes.insert(bytes.end(), dump.begin(), dump.end());
    }
    return bytes;
}

std::string saveBank(const Bank& bank, const std::filesystem::path& target)
{
    if (!isDumpFile(target))
        return saveWaveFolder(bank, target);
    if (const std::string problem = writeFileWhole(target, bankDumps(bank)); !problem.empty())
        return "The bank was not saved: " + problem + ".";
    return {};
}

} // namespace hwd

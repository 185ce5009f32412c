#pragma once

#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hwd {

// The synthesizer's 32 user slots as the bank window holds them: cell 0 is
// slot 97, cell 31 slot 128. Kept in memory only.
inline constexpr int bankCellCount = WaveDumpMessage::lastUserSlot - WaveDumpMessage::firstUserSlot + 1;

[[nodiscard]] constexpr int slotOfCell(int cell) noexcept { return WaveDumpMessage::firstUserSlot + cell; }

// A slot as the program shows it: "097".
[[nodiscard]] std::string slotText(int slot);

struct BankCell {
    SampleArray samples{};
    std::string name; // the file it came from without ".wav", or "bank.syx #3"
};

using Bank = std::array<std::optional<BankCell>, bankCellCount>;

// Whether a's name comes before b's with the runs of digits compared as
// numbers ("wave2" before "wave10"); letters compare without case. Equal
// names by that rule fall back to their bytes, so the order is total.
[[nodiscard]] bool naturalLess(const std::string& a, const std::string& b);

// What a fill took and what it left.
struct BankFill {
    int filled = 0;
    std::vector<std::string> refused; // "name: why", one per refused file
    int pastLastSlot = 0;             // WAV files not taken: they would pass slot 128
};

// Fills the bank from dropped or opened files: the WAV files in the natural
// order of their names, from firstCell on, one cell each (a refused file
// leaves its cell as it was); each .syx file's dumps into the slots their
// byte 5 names. Nothing of a .syx file is taken when any of its dumps is bad.
[[nodiscard]] BankFill fillBank(Bank& bank, int firstCell, std::span<const std::filesystem::path> files);

// The one box a fill shows at its end; empty when every file was taken.
[[nodiscard]] std::string fillProblemText(const BankFill& fill);

// The filled cells as one SysEx file: their dumps in slot order.
[[nodiscard]] std::vector<std::uint8_t> bankDumps(const Bank& bank);

// Writes the filled cells to target: one .syx file when its extension is
// .syx in any case, else one "NNN-name.wav" per filled cell in the folder
// target names (made when missing; a .wav extension typed on it is dropped).
// The empty text when done, else why not, in a warning box's words.
[[nodiscard]] std::string saveBank(const Bank& bank, const std::filesystem::path& target);

// A path's name as UTF-8, as the boxes show it.
[[nodiscard]] std::string utf8Name(const std::filesystem::path& path);

} // namespace hwd

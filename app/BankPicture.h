#pragma once

#include "Bank.h"
#include "Drawing.h"

#include <bitset>
#include <optional>

namespace hwd {

// The bank window's picture: 32 cells in 4 rows of 8, in pixels of its client
// area. Each cell shows its slot, the wave as a small bar picture and the
// name it came from, or "empty".
namespace BankPicture {

inline constexpr int columns = 8;
inline constexpr int rows = 4;

// The client area shared out evenly, column by column and row by row.
[[nodiscard]] Rect cellRect(int cell, Size client) noexcept;
// The cell under a point of the client area; nothing outside them.
[[nodiscard]] std::optional<int> cellAt(Point point, Size client) noexcept;

struct Marks {
    std::bitset<bankCellCount> selected;
    int cursor = 0;       // the cell the arrows move from
    bool focused = false; // whether the picture has the keyboard focus: the cursor is outlined then
};

[[nodiscard]] Drawing draw(const Bank& bank, const Marks& marks, Size client);

} // namespace BankPicture

} // namespace hwd

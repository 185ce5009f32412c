#include "BankPicture.h"

#include "WaveBars.h"

#include <algorithm>

namespace hwd::BankPicture {

namespace {

constexpr Colour white{255, 255, 255};
constexpr Colour black{0, 0, 0};
// A grey of its own, which a screenshot can tell from the platform's greys.
constexpr Colour grid{150, 150, 170};
constexpr Colour selectedColour{204, 228, 247};
constexpr Colour cursorColour{0, 84, 153};
constexpr Colour emptyText{128, 128, 128};
// The height of a line of the dialog's font, in pixels, with a little air.
constexpr int lineHeight = 14;
constexpr int margin = 3;

void outline(Drawing& drawing, Rect box, int thickness, Colour colour)
{
    drawing.fill({box.x, box.y, box.width, thickness}, colour);
    drawing.fill({box.x, box.bottom() - thickness, box.width, thickness}, colour);
    drawing.fill({box.x, box.y, thickness, box.height}, colour);
    drawing.fill({box.right() - thickness, box.y, thickness, box.height}, colour);
}

} // namespace

Rect cellRect(int cell, Size client) noexcept
{
    const int column = cell % columns;
    const int row = cell / columns;
    const int left = column * client.width / columns;
    const int top = row * client.height / rows;
    return {left, top, (column + 1) * client.width / columns - left, (row + 1) * client.height / rows - top};
}

std::optional<int> cellAt(Point point, Size client) noexcept
{
    if (client.width <= 0 || client.height <= 0 || point.x < 0 || point.y < 0 || point.x >= client.width
        || point.y >= client.height)
        return std::nullopt;
    // The inverse of cellRect's sharing, found by its own arithmetic.
    for (int cell = 0; cell < bankCellCount; ++cell) {
        if (cellRect(cell, client).contains(point))
            return cell;
    }
    return std::nullopt;
}

Drawing draw(const Bank& bank, const Marks& marks, Size client)
{
    Drawing drawing;
    if (client.width <= 0 || client.height <= 0)
        return drawing;
    drawing.fill({0, 0, client.width, client.height}, white);
    for (int cell = 0; cell < bankCellCount; ++cell) {
        const Rect box = cellRect(cell, client);
        if (marks.selected[static_cast<std::size_t>(cell)])
            drawing.fill(box, selectedColour);
        outline(drawing, box, 1, grid);
        if (marks.focused && cell == marks.cursor)
            outline(drawing, {box.x + 1, box.y + 1, box.width - 2, box.height - 2}, 2, cursorColour);

        // Inside the cursor's outline: the grid's pixel and the outline's two.
        const int innerWidth = box.width - 2 * margin;
        drawing.text({box.x + margin, box.y + margin, innerWidth, lineHeight}, slotText(slotOfCell(cell)), black);
        const Rect nameBox{box.x + margin, box.bottom() - margin - lineHeight, innerWidth, lineHeight};
        const auto& filled = bank[static_cast<std::size_t>(cell)];
        if (!filled) {
            drawing.text(nameBox, "empty", emptyText);
            continue;
        }
        const int waveTop = box.y + margin + lineHeight;
        const Rect waveBox{box.x + margin, waveTop, innerWidth, nameBox.y - waveTop};
        drawWaveBars(drawing, waveBox, filled->samples);
        drawing.text(nameBox, filled->name, black);
    }
    return drawing;
}

} // namespace hwd::BankPicture

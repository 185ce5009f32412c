#include "PictureView.h"

#include <windowsx.h>

#include <utility>
#include <vector>

namespace hwd {

namespace {

// One solid brush per colour of a drawing, made when first needed and freed
// with the set.
class Brushes final {
public:
    Brushes() = default;
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;
    ~Brushes()
    {
        for (const auto& [colour, brush] : brushes_)
            DeleteObject(brush);
    }

    HBRUSH of(Colour colour)
    {
        for (const auto& [made, brush] : brushes_) {
            if (made == colour)
                return brush;
        }
        const HBRUSH brush = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
        brushes_.emplace_back(colour, brush);
        return brush;
    }

private:
    // A drawing has a handful of colours: a search beats a map.
    std::vector<std::pair<Colour, HBRUSH>> brushes_;
};

} // namespace

void PictureView::paint(HDC dc, const RECT& area, const Drawing& drawing)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn off screen and put there at once: a picture that is filled white
    // and then drawn over, column by column, would flicker as the user types.
    const HDC offscreen = CreateCompatibleDC(dc);
    const HBITMAP canvas = CreateCompatibleBitmap(dc, width, height);
    const HGDIOBJ previous = SelectObject(offscreen, canvas);
    // What no fill covers stays as it was.
    BitBlt(offscreen, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    {
        Brushes brushes;
        const RECT whole{0, 0, width, height};
        for (const Drawing::Fill& fill : drawing.fills) {
            const RECT wanted{fill.rect.x, fill.rect.y, fill.rect.right(), fill.rect.bottom()};
            RECT inside{};
            if (IntersectRect(&inside, &wanted, &whole))
                FillRect(offscreen, &inside, brushes.of(fill.colour));
        }
    }
    BitBlt(dc, area.left, area.top, width, height, offscreen, 0, 0, SRCCOPY);
    SelectObject(offscreen, previous);
    DeleteObject(canvas);
    DeleteDC(offscreen);
}

Size PictureView::clientSize(HWND control) noexcept
{
    RECT client{};
    GetClientRect(control, &client);
    return {client.right, client.bottom};
}

Point PictureView::pressPoint(HWND control) noexcept
{
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(control, &point);
    return {point.x, point.y};
}

} // namespace hwd

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
    Brushes brushes;
    for (const Drawing::Fill& fill : drawing.fills) {
        const RECT wanted{area.left + fill.rect.x, area.top + fill.rect.y, area.left + fill.rect.right(),
                          area.top + fill.rect.bottom()};
        RECT inside{};
        if (IntersectRect(&inside, &wanted, &area))
            FillRect(dc, &inside, brushes.of(fill.colour));
    }
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

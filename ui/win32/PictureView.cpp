#include "PictureView.h"

#include "TextConversion.h"
#include "WindowControls.h"
#include "app/DialogTemplates.h"

#include <windowsx.h>

#include <string>
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

RECT toRECT(const Rect& rect) noexcept
{
    return {rect.x, rect.y, rect.right(), rect.bottom()};
}

void paintTexts(HDC dc, const std::vector<Drawing::Text>& texts, HFONT font)
{
    if (texts.empty())
        return;
    const HGDIOBJ previousFont = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (const Drawing::Text& text : texts) {
        RECT box = toRECT(text.box);
        const std::wstring wide = TextConversion::widenUtf8(text.utf8);
        SetTextColor(dc, RGB(text.colour.red, text.colour.green, text.colour.blue));
        // A name is shown as it is: no '&' turned into an underline.
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, previousFont);
}

bool isPicture(const DialogTemplate& dialogTemplate, int controlId) noexcept
{
    const ControlTemplate* control = dialogTemplate.control(controlId);
    return control != nullptr && control->kind == ControlKind::Picture;
}

bool held(int virtualKey) noexcept
{
    return GetKeyState(virtualKey) < 0;
}

} // namespace

void PictureView::paint(HDC dc, const RECT& area, const Drawing& drawing, HFONT font)
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
            const RECT wanted = toRECT(fill.rect);
            RECT inside{};
            if (IntersectRect(&inside, &wanted, &whole))
                FillRect(offscreen, &inside, brushes.of(fill.colour));
        }
    }
    paintTexts(offscreen, drawing.texts, font);
    BitBlt(dc, area.left, area.top, width, height, offscreen, 0, 0, SRCCOPY);
    SelectObject(offscreen, previous);
    DeleteObject(canvas);
    DeleteDC(offscreen);
}

void PictureView::draw(const DRAWITEMSTRUCT& item, const DialogController& controller)
{
    const Size client{item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(GetParent(item.hwndItem), WM_GETFONT, 0, 0));
    paint(item.hDC, item.rcItem, controller.drawPicture(static_cast<int>(item.CtlID), client), font);
}

bool PictureView::takeNotice(HWND dialog, const DialogTemplate& dialogTemplate, int controlId, WORD notification,
                             DialogController& controller)
{
    if (!isPicture(dialogTemplate, controlId))
        return false;
    const ControlEvent event = controlEventFor(notification);
    if (event != ControlEvent::Clicked && event != ControlEvent::DoubleClicked)
        return true;
    const HWND picture = GetDlgItem(dialog, controlId);
    const Point point = pressPoint(picture);
    const Size client = clientSize(picture);
    if (event == ControlEvent::DoubleClicked)
        controller.pictureDoubleClicked(controlId, point, client);
    else
        controller.pictureClicked(controlId, point, client, ClickKeys{held(VK_SHIFT), held(VK_CONTROL)});
    return true;
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

#include "Pixels.h"


Pixels Pixels::of(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    // Whatever is still to paint is painted first.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    const HDC source = GetDC(window);
    Pixels pixels = copy(source, 0, 0, rect.right, rect.bottom);
    ReleaseDC(window, source);
    return pixels;
}

Pixels Pixels::copy(HDC source, int left, int top, int width, int height)
{
    Pixels pixels;
    pixels.width_ = width;
    pixels.height_ = height;
    pixels.bgra_.resize(static_cast<std::size_t>(pixels.width_) * static_cast<std::size_t>(pixels.height_));

    const HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width_;
    info.bmiHeader.biHeight = -pixels.height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, pixels.width_, pixels.height_, source, left, top, SRCCOPY);
    GdiFlush();
    const auto* source32 = static_cast<const std::uint32_t*>(bits);
    pixels.bgra_.assign(source32, source32 + pixels.bgra_.size());
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

COLORREF Pixels::at(int x, int y) const noexcept
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const std::uint32_t bgra = bgra_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int Pixels::count(COLORREF colour, int left, int top, int right, int bottom) const noexcept
{
    int found = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (at(x, y) == colour)
                ++found;
        }
    }
    return found;
}

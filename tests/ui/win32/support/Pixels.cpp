#include "Pixels.h"

#include <fstream>

Pixels Pixels::of(HWND window, Area area)
{
    RECT rect{};
    if (area == Area::Client) {
        GetClientRect(window, &rect);
    } else {
        GetWindowRect(window, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
    }
    // Whatever is still to paint is painted first.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    const HDC source = area == Area::Client ? GetDC(window) : GetWindowDC(window);
    Pixels pixels = copy(source, 0, 0, rect.right, rect.bottom);
    ReleaseDC(window, source);
    return pixels;
}

Pixels Pixels::ofScreen(const RECT& area)
{
    const HDC screen = GetDC(nullptr);
    Pixels pixels = copy(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ReleaseDC(nullptr, screen);
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

void Pixels::saveBmp(const std::filesystem::path& file) const
{
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER infoHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof infoHeader;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(rowBytes * height_);
    infoHeader.biSize = sizeof infoHeader;
    infoHeader.biWidth = width_;
    infoHeader.biHeight = height_;
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 24;
    infoHeader.biCompression = BI_RGB;

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&infoHeader), sizeof infoHeader);
    std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const COLORREF colour = at(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<char>(GetBValue(colour));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(colour));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(colour));
        }
        out.write(row.data(), rowBytes);
    }
}

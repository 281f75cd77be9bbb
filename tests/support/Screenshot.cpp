#include "tests/support/Screenshot.h"

#include "tests/support/PngWriter.h"

#include <vector>

std::vector<uint32_t> ScreenPixels(const RECT& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<uint32_t> pixels;
    if (w <= 0 || h <= 0)
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        bool copied = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        if (copied) {
            const uint32_t* p = static_cast<const uint32_t*>(bits);
            pixels.assign(p, p + size_t(w) * size_t(h));
        }
        SelectObject(mem, old);
    }
    if (dib)
        DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    for (uint32_t& v : pixels)
        v &= 0xFFFFFF;
    return pixels;
}

static bool CaptureRect(const RECT& r, const std::wstring& path) {
    std::vector<uint32_t> pixels = ScreenPixels(r);
    if (pixels.empty())
        return false;
    std::vector<uint8_t> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3 + 0] = uint8_t(pixels[i] >> 16);
        rgb[i * 3 + 1] = uint8_t(pixels[i] >> 8);
        rgb[i * 3 + 2] = uint8_t(pixels[i]);
    }
    return WritePng(path, r.right - r.left, r.bottom - r.top, rgb);
}

bool SaveScreenshot(const std::wstring& path) {
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureRect(r, path);
}

bool SaveWindowScreenshot(HWND hwnd, const std::wstring& path) {
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return false;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible;
    if (!IntersectRect(&visible, &r, &screen))
        return false;
    return CaptureRect(visible, path);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    COLORREF c = GetPixel(mem, 0, 0);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return ScreenPixel(p.x, p.y);
}

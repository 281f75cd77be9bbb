#include "tests/support/Screenshot.h"

#include "tests/support/PngWriter.h"

#include <vector>

static bool CaptureRect(const RECT& r, const std::wstring& path) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
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
    bool ok = false;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
        if (ok) {
            std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
            const uint8_t* src = static_cast<const uint8_t*>(bits);
            for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
                rgb[i * 3 + 0] = src[i * 4 + 2];
                rgb[i * 3 + 1] = src[i * 4 + 1];
                rgb[i * 3 + 2] = src[i * 4 + 0];
            }
            ok = WritePng(path, w, h, rgb);
        }
    }
    if (dib)
        DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
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

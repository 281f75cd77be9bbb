#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Saves what the screen shows (the whole screen, or one window's rectangle on
// it) as a PNG file; false when nothing could be captured or written.
bool SaveScreenshot(const std::wstring& path);
bool SaveWindowScreenshot(HWND hwnd, const std::wstring& path);
// The pixels of a screen rectangle, 0x00RRGGBB, row by row from the top;
// empty when nothing could be captured.
std::vector<uint32_t> ScreenPixels(const RECT& r);
// Colour of one screen pixel, as the user sees it (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);
// The screen pixel at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y);

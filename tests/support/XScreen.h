#pragma once
// The X display as a person at it sees it, read on the Unix side with the
// run command's own screenshot (scripts/lib.sh's x_screenshot), not through
// Wine: what Wine draws and what reaches the screen can differ.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CXScreenShot {
public:
    // Takes the screenshot; pngCopy, when given, is where the PNG a person
    // can look at stays (a Windows path).  False when there is no X display
    // to read (not under Wine, or the scripts folder is not known).
    bool Take(const std::wstring& pngCopy = L"");

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // 0x00RRGGBB, as ScreenPixels gives Wine's view; 0 outside the picture.
    uint32_t Pixel(int x, int y) const;
    // A rectangle of it, row by row from the top.
    std::vector<uint32_t> Pixels(const RECT& r) const;
    const std::string& Error() const noexcept { return m_error; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_rgb;
    std::string m_error;
};

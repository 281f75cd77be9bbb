#pragma once
// The on-screen display: a layered, colour-keyed popup ("csl_osd") near the
// lower right corner of the primary monitor that shows a profile's name for
// two seconds, over everything, without taking the focus or the mouse.
// One per process, created hidden at start-up.

#include <windows.h>

class COsdWindow {
public:
    static constexpr UINT WM_OSD_SHOW = WM_USER + 12;
    static constexpr UINT_PTR kHideTimer = 101;
    static constexpr UINT kShowMs = 2000;
    // Units of the text buffer, terminator included.
    static constexpr size_t kTextUnits = 255;
    static constexpr COLORREF kKeyColour = 0x00FF00;
    static constexpr COLORREF kTextColour = 0x00FA00;

    // Registers the class and creates the window hidden.  Balances its own
    // COM initialisation only through Release.  Negative on failure.
    static HRESULT CreateOsdWindows(HINSTANCE instance);
    // Destroys the window and undoes the COM initialisation CreateOsdWindows made.
    static void Release();
    // Copies the name (cut to the buffer) and asks the window to show it.
    static void Show(const wchar_t* name);

    static HWND GetWindow() noexcept;
    static const wchar_t* GetText() noexcept;
    static int GetTextHeight() noexcept;

private:
    static LRESULT CALLBACK OsdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void Place(HWND hwnd);
};

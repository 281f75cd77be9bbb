#pragma once
// MobekTilvorConfig as a test drives it: started from the installed tree,
// its windows found, its skin items clicked with the real mouse where the
// skin files place them.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CConfigProgram {
public:
    CConfigProgram() = default;
    ~CConfigProgram();
    CConfigProgram(const CConfigProgram&) = delete;
    CConfigProgram& operator=(const CConfigProgram&) = delete;

    // Starts the program; false when it could not be started.
    bool Start();
    // The main window once it shows and its dialog loop runs (the keyboard
    // is read before the window shows); null after the time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // A shown top-level window of the program other than the main one (and
    // other than a tooltip), once its dialog loop runs; null after the
    // time-out.
    HWND WaitForPopup(DWORD timeoutMs = 10000) const { return WaitForNewPopup({}, timeoutMs); }
    // The same, but a popup not among those before: the one that opens on
    // top of them.
    HWND WaitForNewPopup(const std::vector<HWND>& before, DWORD timeoutMs = 10000) const;
    // Until no popup is shown.
    bool WaitForNoPopups(DWORD timeoutMs = 5000) const;
    std::vector<HWND> Popups() const;
    // The shown popups' classes and rectangles, for failure messages.
    std::string DescribePopups() const;
    // True when the program ended within the time; its exit code in *code.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);
    bool IsRunning() const;
    DWORD ProcessId() const noexcept { return m_pid; }
    HWND MainWindow() const noexcept { return m_main; }

    // Clicks the centre of a skin item of a skin file on a window (its
    // client area); false when the file has no such item.
    bool Click(HWND window, const wchar_t* skinFile, const char* itemName);
    // The item's rectangle in the window's client coordinates.
    static bool ItemRect(const wchar_t* skinFile, const char* itemName, RECT& rect);

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    HWND m_main = nullptr;
};

// Moves the mouse to a screen point and clicks the left button there, at the
// pace of a hand: the pointer settles over the point and the button is held
// a moment.  A click at the place of the one before waits out the
// double-click time, so that it stays a single click.  Returns once the
// window under the point answers (its thread is in its message loop).
// ready, when given, holds the press back until the window meant to take
// it will (see CConfigProgram::Click).
void ClickAt(POINT screen, const std::function<bool()>& ready = nullptr);

// Lets this thread's messages move for a while: the pace of the user's
// hand between input events, never a wait for the program.
void Pause(DWORD ms);

#pragma once
// MobekTilvorConfig as a test drives it: started from the installed tree,
// its windows found, its skin items clicked with the real mouse where the
// skin files place them.

#include <windows.h>

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
    // The main window once it is shown; null after the time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // A shown top-level window of the program other than the main one.
    HWND WaitForPopup(DWORD timeoutMs = 10000) const;
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

// Moves the mouse to a screen point and clicks the left button there.
void ClickAt(POINT screen);

// The keyboard's state as its dump shows it: the type and data of a key of
// the active profile; false when the key is not found.
bool ActiveProfileKey(const std::string& dump, const std::string& keyName, int& type, std::string& data);

// Lets the program and the keyboard work for a while, this thread's
// messages moving.
void Pause(DWORD ms);

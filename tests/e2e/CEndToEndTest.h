#pragma once
// What every whole-program scenario needs: an emulated keyboard of its own
// (a state file in a fresh folder, the server reached out of process), the
// configuration program started from the installed tree and driven with
// the real mouse, the emulator's control command as the keyboard's
// hardware, and the keyboard's dump to judge by.

#include "tests/e2e/CConfigProgram.h"
#include "tests/service/CEmulatorSession.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

// Skin files of the main page, the key items and the key-assignment page.
extern const wchar_t kMain[];
extern const wchar_t kKeys[];
extern const wchar_t kAssign[];

// The keyboard's records of the kinds (DeviceActionType).
constexpr int kKeyRecord = 5;
constexpr int kDisabledRecord = 1;  // a button record without a function
constexpr int kApplicationRecord = 9;
constexpr int kProfileRecord = 3;
constexpr int kMacroRecord = 8;

// The program starts the tray program; one left running would hold the
// tray's single-instance mutex and act on later tests' keyboards.
void EndTrayPrograms();

// Presses and releases a key (virtual key and scan code).
void TypeKey(WORD scanCode, WORD virtualKey);

class CEndToEndTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Ends any keyboard server that runs and starts this test's own, from
    // a state file in a fresh folder (fixtureXml, or a factory keyboard).
    void StartKeyboard(const wchar_t* folderHint, const char* fixtureXml = nullptr);
    // Where the configuration program looks for the tray program (and
    // starts it from).
    static bool SetInstallDir(const std::wstring& folder);

    std::string Dump();
    int KeyType(const char* name);
    // Polls the keyboard's state until it satisfies pred (a write runs on
    // the program's worker thread, and ends a moment after it is sent).
    template <typename Pred>
    bool WaitForDump(Pred pred, DWORD timeoutMs = 15000) {
        for (const DWORD start = GetTickCount();; Pause(200)) {
            if (pred(Dump()))
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
        }
    }
    bool WaitForKeyType(const char* name, int type);
    // Waits until the keyboard has served no call for quietMs: a write is
    // one burst of calls, so the first pause after it means it has ended.
    bool WaitForQuietKeyboard(DWORD quietMs = 1000, DWORD timeoutMs = 20000);

    HWND StartProgram();
    // Waits for a popup of the program, takes its OK and tells whether it
    // closed.
    bool ConfirmPopup(const wchar_t* skinFile, const wchar_t* screenshot = nullptr);
    // Typing into a popup that has just opened goes nowhere until its edit
    // has the keyboard focus: wait for the focus to be inside it.
    static bool WaitForFocusIn(HWND popup, DWORD timeoutMs = 10000);
    // The program's popups are all closed (false after the time-out).
    bool WaitForNoPopups(DWORD timeoutMs = 5000);
    void Assign(HWND main, const char* key, const char* action);
    // Opens a drop-down of a page and clicks the entry in that row of its
    // popup list.
    void ChooseInDropdown(HWND main, const wchar_t* skinFile, const char* itemName, int row);
    // The item's window (the child of window under the item's centre) is
    // enabled.
    static bool IsItemEnabled(HWND window, const wchar_t* skinFile, const char* itemName);
    // Apply enabled: the dialog holds changes the keyboard has not taken.
    static bool IsApplyEnabled(HWND main) { return IsItemEnabled(main, kMain, "BUTTON_APPLY"); }
    // Enters a path into the file dialog and takes its Open; false when
    // the dialog has no file name box.
    static bool ChooseFile(HWND dialog, const std::wstring& path);
    // Runs the emulator's control command as the keyboard's hardware.
    bool RunControl(const wchar_t* words);

    std::wstring folder;
    std::unique_ptr<CEmulatorSession> session;
    std::unique_ptr<CConfigProgram> program;
};

#pragma once
// What every whole-program scenario needs: an emulated keyboard of its own
// (a state file in a fresh folder, the server reached out of process), the
// configuration program started from the installed tree and driven with
// the real mouse and keyboard, the emulator's control command as the
// keyboard's hardware, and the keyboard's dump to judge by.

#include "tests/e2e/CConfigProgram.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/service/CEmulatorSession.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

// Skin files of the main page, the key items and the key-assignment page.
extern const wchar_t kMain[];
extern const wchar_t kKeys[];
extern const wchar_t kAssign[];

// Keyboard states a test may start from (StartKeyboard): two profiles and
// the macros named, which the keyboard already knows.
extern const char kKeyboardWithMacro[];      // Combo
extern const char kKeyboardWithTwoMacros[];  // Combo, then Second
extern const char kComboMacro[];             // their GUIDs
extern const char kSecondMacro[];

// The program starts the tray program; one left running would hold the
// tray's single-instance mutex and act on later tests' keyboards.
void EndTrayPrograms();

// Presses and releases a key (scan code and virtual key) at a finger's pace.
// Keys keep their order in the program's queue with the clicks around them;
// what a key does is waited for by what it shows.
void TypeKey(WORD scanCode, WORD virtualKey);
void TypeVirtualKey(WORD virtualKey);

class CEndToEndTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Ends any keyboard server that runs and starts this test's own, from
    // a state file in a fresh folder (fixtureXml, or a factory keyboard).
    void StartKeyboard(const wchar_t* folderHint, const char* fixtureXml = nullptr);
    // Where the configuration program looks for the tray program (and
    // starts it from).
    static bool SetInstallDir(const std::wstring& folder);
    // The keyboard leaves or comes back, as its cable would.
    void SetKeyboardPresent(bool present);

    std::string Dump();
    // A key's record in the keyboard's active profile.
    CKeyboardDump::Key ActiveKey(const char* name) { return CKeyboardDump(Dump()).KeyRecord("", name); }
    KeyAction KeyType(const char* name) { return ActiveKey(name).action; }
    // Polls the keyboard's state until it satisfies pred (a write runs on
    // the program's worker thread, and ends a moment after it is sent).
    template <typename Pred>
    bool WaitForDump(Pred pred, DWORD timeoutMs = 15000) {
        for (const DWORD start = GetTickCount();; Pause(100)) {
            if (pred(Dump()))
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
        }
    }
    // Until the active profile's record of the key satisfies pred.
    template <typename Pred>
    bool WaitForKey(const char* name, Pred pred, DWORD timeoutMs = 15000) {
        return WaitForDump([&](const std::string& text) { return pred(CKeyboardDump(text).KeyRecord("", name)); },
                           timeoutMs);
    }
    bool WaitForKeyType(const char* name, KeyAction action) {
        return WaitForKey(name, [&](const CKeyboardDump::Key& key) { return key.action == action; });
    }
    bool WaitForDisabledKey(const char* name) {
        return WaitForKey(name, [](const CKeyboardDump::Key& key) { return key.IsDisabled(); });
    }
    // Waits until the keyboard has served no call for quietMs: a write is
    // one burst of calls, so the first pause after it means it has ended.
    bool WaitForQuietKeyboard(DWORD quietMs = 1000, DWORD timeoutMs = 20000);

    HWND StartProgram();
    // Waits for a popup of the program, takes its OK and tells whether it
    // closed and left no other popup.
    bool ConfirmPopup(const wchar_t* skinFile, const wchar_t* screenshot = nullptr);
    // Saves a screenshot of a window once it is drawn.
    static void ExpectScreenshot(HWND window, const wchar_t* artifact);
    void Assign(HWND main, const char* key, const char* action);
    // Opens a drop-down of a page and clicks the entry in that row of its
    // popup list.
    void ChooseInDropdown(HWND main, const wchar_t* skinFile, const char* itemName, int row);
    // Typing into a popup that has just opened goes nowhere until its edit
    // has the keyboard focus: wait for the focus to be inside it.
    static ::testing::AssertionResult WaitForFocusIn(HWND popup);
    // Types digits into the popup's focused edit and waits until the edit
    // shows what it took of them (shown).
    static ::testing::AssertionResult TypeDigits(HWND popup, const char* digits, const wchar_t* shown);
    // The item's window (the child of window under the item's centre) is
    // enabled.
    static bool IsItemEnabled(HWND window, const wchar_t* skinFile, const char* itemName);
    static bool WaitForItemEnabled(HWND window, const wchar_t* skinFile, const char* itemName, DWORD timeoutMs = 5000);
    // Apply enabled: the dialog holds changes the keyboard has not taken.
    static bool IsApplyEnabled(HWND main) { return IsItemEnabled(main, kMain, "BUTTON_APPLY"); }
    static bool WaitForApplyEnabled(HWND main) { return WaitForItemEnabled(main, kMain, "BUTTON_APPLY"); }
    // Enters a path into the file dialog and takes its Open; false when
    // the dialog has no file name box.
    static bool ChooseFile(HWND dialog, const std::wstring& path);
    // Runs the emulator's control command as the keyboard's hardware.
    bool RunControl(const wchar_t* words);

    std::wstring folder;
    std::unique_ptr<CEmulatorSession> session;
    std::unique_ptr<CConfigProgram> program;
};

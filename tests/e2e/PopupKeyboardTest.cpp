// The key-assignment popups as the user works them with the real keyboard
// and mouse: what was typed, ticked or pressed is what the keyboard's
// record holds, and the popups answer Enter, Escape and Tab as a dialog
// does.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A keyboard with two profiles and two macros it already knows.
const char kKeyboardWithMacros[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\"/>\n"
    "  <profile name=\"Profile 2\"/>\n"
    "  <macro guid=\"{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}\" name=\"Combo\"/>\n"
    "  <macro guid=\"{6B2E4D55-1C8F-4D6A-8F8B-1F7D2E3C4B52}\" name=\"Second\"/>\n"
    "</keyboard-state>\n";

const wchar_t kSingleKey[] = L"SingleKeyPopup.xml";
const wchar_t kSelectMacro[] = L"SelectMacroPopup.xml";
const wchar_t kRepeat[] = L"MacroRepeatEntryPopup.xml";

// Key events sent in one call: the system queues them in the same instant.
void SendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
    std::vector<INPUT> inputs;
    for (const auto& key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.first;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key.first, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pause(300);
}

void TypeVirtualKey(WORD virtualKey) { TypeKey(static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)), virtualKey); }

// The window that has the keyboard focus in the program's thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

// The child of a popup whose rectangle holds a skin item's centre.
HWND ItemWindow(HWND popup, const wchar_t* skinFile, const char* itemName) {
    RECT item;
    if (!CConfigProgram::ItemRect(skinFile, itemName, item))
        return nullptr;
    const POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    HWND child = ChildWindowFromPointEx(popup, centre, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child != popup ? child : nullptr;
}

class PopupKeyboardTest : public CEndToEndTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-popups", kKeyboardWithMacros));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
    }

    std::string KeyData(const char* key) {
        int type = 0;
        std::string data;
        ActiveProfileKey(Dump(), key, type, data);
        return data;
    }
    // A key's record once the keyboard holds one of that type other than
    // 'before'; empty after the time-out.
    std::string WrittenRecord(const char* key, int type, const std::string& before) {
        std::string found;
        WaitForDump([&](const std::string& dump) {
            int t = 0;
            std::string data;
            if (!ActiveProfileKey(dump, key, t, data) || t != type || data == before)
                return false;
            found = data;
            return true;
        });
        return found;
    }

    // The popup that opens on top of the others, once it shows.
    HWND WaitForNewPopup(const std::vector<HWND>& before, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            for (HWND popup : program->Popups())
                if (std::find(before.begin(), before.end(), popup) == before.end()) {
                    Pause(300);
                    return popup;
                }
            Pause(50);
        }
        return nullptr;
    }

    bool WaitUntilClosed(HWND popup, DWORD timeoutMs = 3000) {
        const DWORD start = GetTickCount();
        while (IsWindow(popup) && IsWindowVisible(popup)) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            Pause(50);
        }
        return true;
    }

    HWND main = nullptr;
};

TEST_F(PopupKeyboardTest, ARepeatCountIsWhatWasTypedAndNeverMoreThan255) {
    const struct {
        const char* key;
        const char* typed;
        const char* stored;  // the count byte of the keyboard's record
    } cases[] = {
        {"F8", "300", "1E"},  // the last 0 is refused: 30
        {"F9", "256", "19"},  // the 6 is refused: 25
        {"F10", "255", "FF"},
    };
    for (const auto& c : cases) {
        Assign(main, (std::string("BUTTON_KB_") + c.key).c_str(), "BUTTON_ASSIGNSELECT_MACRO");
        HWND choice = program->WaitForPopup();
        ASSERT_NE(choice, nullptr) << c.key;
        ASSERT_TRUE(program->Click(choice, kSelectMacro, "BUTTON_MACRO_PLAY_MULTIPLE"));
        ASSERT_TRUE(program->Click(choice, kSelectMacro, "BUTTON_POPUP_OK"));
        HWND count = WaitForNewPopup({choice});
        ASSERT_NE(count, nullptr) << "no repeat-count popup: " << program->DescribePopups();
        ASSERT_TRUE(WaitForFocusIn(count)) << "the count popup's edit never had the focus";
        for (const char* digit = c.typed; *digit; ++digit)
            TypeVirtualKey(static_cast<WORD>(*digit));
        ASSERT_TRUE(program->Click(count, kRepeat, "BUTTON_POPUP_OK"));
        ASSERT_TRUE(WaitUntilClosed(count)) << c.typed;
    }
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    for (const auto& c : cases) {
        const std::string data = WrittenRecord(c.key, kMacroRecord, "");
        ASSERT_GE(data.size(), 36u) << c.key << " holds no macro";
        EXPECT_EQ(data.substr(32, 2), "02") << c.key << ": not repeated";
        EXPECT_EQ(data.substr(34, 2), c.stored) << c.key << " after typing " << c.typed;
    }
}

TEST_F(PopupKeyboardTest, AModifierTickedByHandCountsWithTheCapturedKey) {
    const std::string before = KeyData("F5");
    Assign(main, "BUTTON_KB_F5", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_CHKBOX_SLCT_SHIFT"));
    TypeKey(0x25, 'K');
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"popup-single-key-ticked-shift.png")));
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(popup)) << program->DescribePopups();
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const std::string data = WrittenRecord("F5", kKeyRecord, before);
    ASSERT_GE(data.size(), 12u);
    EXPECT_EQ(data.substr(0, 4), "2500") << "not the K key: " << data;
    EXPECT_EQ(data.substr(10, 2), "08") << "Shift is not in the record: " << data;
}

TEST_F(PopupKeyboardTest, AFastChordKeepsItsModifiers) {
    const std::string before = KeyData("F6");
    Assign(main, "BUTTON_KB_F6", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    // The modifiers let go of before the key, as a hand rolling off a chord does.
    SendKeys({{VK_CONTROL, true}, {VK_SHIFT, true}, {'X', true}, {VK_CONTROL, false}, {VK_SHIFT, false},
              {'X', false}});
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(popup)) << program->DescribePopups();
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const std::string data = WrittenRecord("F6", kKeyRecord, before);
    ASSERT_GE(data.size(), 12u);
    EXPECT_EQ(data.substr(0, 4), "2D00") << "not the X key: " << data;
    EXPECT_EQ(data.substr(10, 2), "0C") << "Ctrl and Shift are not in the record: " << data;
}

TEST_F(PopupKeyboardTest, OneEnterConfirmsTheMacroPopupAndOneEscapeCancelsIt) {
    // Escape leaves the key selected, so the second round opens the popup
    // from the same key.
    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F7"));
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO"));
        HWND popup = program->WaitForPopup();
        ASSERT_NE(popup, nullptr) << "key " << key;
        TypeVirtualKey(key);
        EXPECT_TRUE(WaitUntilClosed(popup, 1500)) << "key " << key << " did not close the popup";
        if (IsWindow(popup) && IsWindowVisible(popup))
            TypeVirtualKey(key);
        ASSERT_TRUE(WaitUntilClosed(popup));
    }
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_FALSE(WrittenRecord("F7", kMacroRecord, "").empty()) << "Enter did not assign the macro";
}

TEST_F(PopupKeyboardTest, TabMovesTheFocusThroughThePopupAndTheFocusedButtonShowsIt) {
    Assign(main, "BUTTON_KB_F7", "BUTTON_ASSIGNSELECT_MACRO");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr);
    HWND ok = ItemWindow(popup, kSelectMacro, "BUTTON_POPUP_OK");
    HWND cancel = ItemWindow(popup, kSelectMacro, "BUTTON_POPUP_CANCEL");
    ASSERT_TRUE(ok && cancel);
    RECT okRect;
    GetWindowRect(ok, &okRect);
    const std::vector<uint32_t> unfocused = ScreenPixels(okRect);
    std::vector<HWND> visited;
    for (int i = 0; i < 8; ++i) {
        TypeVirtualKey(VK_TAB);
        HWND focus = FocusOf(popup);
        if (focus && std::find(visited.begin(), visited.end(), focus) == visited.end())
            visited.push_back(focus);
        if (focus == ok)
            break;
    }
    EXPECT_GE(visited.size(), 2u) << "Tab does not move the focus";
    ASSERT_EQ(FocusOf(popup), ok) << "Tab never reaches OK";
    Pause(200);
    EXPECT_NE(ScreenPixels(okRect), unfocused) << "the focused OK looks as before";
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"popup-macro-ok-focused.png")));
    // Tab on to Cancel: Enter there cancels.
    TypeVirtualKey(VK_TAB);
    ASSERT_EQ(FocusOf(popup), cancel);
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(popup, 1500)) << "Enter on Cancel did not close the popup";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    Pause(1500);
    EXPECT_NE(KeyType("F7"), kMacroRecord) << "Enter on Cancel assigned the macro";
}

TEST_F(PopupKeyboardTest, TheDropDownListFitsItsEntriesAndEnterTakesTheChosenOne) {
    Assign(main, "BUTTON_KB_F7", "BUTTON_ASSIGNSELECT_MACRO");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(program->Click(popup, kSelectMacro, "LIST_DROPDOWN_POPUP"));
    HWND list = WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr) << "the drop-down list did not open";
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"popup-macro-dropdown-open.png")));
    RECT listRect, okRect;
    GetWindowRect(list, &listRect);
    GetWindowRect(ItemWindow(popup, kSelectMacro, "BUTTON_POPUP_OK"), &okRect);
    RECT overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &listRect, &okRect)) << "the list covers OK";
    // Two rows of 18 pixels and the border below them.
    EXPECT_LE(listRect.bottom - listRect.top, 2 * 18 + 4) << "the list is taller than its two entries";
    EXPECT_GE(listRect.bottom - listRect.top, 2 * 18) << "the list cuts its entries";

    // The list opens on the entry already chosen; Enter takes it and
    // leaves the popup open; one more Enter confirms.
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(list, 1500)) << "Enter did not close the list";
    ASSERT_TRUE(IsWindowVisible(popup)) << "Enter in the list closed the popup too";
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(popup, 1500)) << "one Enter did not confirm the popup";

    // On another key, Down and Enter choose the second macro; Escape in the
    // list chooses nothing and leaves it.
    Assign(main, "BUTTON_KB_F8", "BUTTON_ASSIGNSELECT_MACRO");
    popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(program->Click(popup, kSelectMacro, "LIST_DROPDOWN_POPUP"));
    list = WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr);
    TypeVirtualKey(VK_DOWN);
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(list, 1500));
    ASSERT_TRUE(program->Click(popup, kSelectMacro, "LIST_DROPDOWN_POPUP"));
    list = WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr);
    TypeVirtualKey(VK_UP);
    TypeVirtualKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntilClosed(list, 1500)) << "Escape did not close the list";
    ASSERT_TRUE(IsWindowVisible(popup)) << "Escape in the list closed the popup too";
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(popup, 1500));

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const std::string kept = WrittenRecord("F7", kMacroRecord, "");
    EXPECT_EQ(kept.compare(0, 32, GuidDataHex("{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}")), 0)
        << "Enter did not keep the chosen macro: " << kept;
    const std::string moved = WrittenRecord("F8", kMacroRecord, "");
    EXPECT_EQ(moved.compare(0, 32, GuidDataHex("{6B2E4D55-1C8F-4D6A-8F8B-1F7D2E3C4B52}")), 0)
        << "Down and Enter did not choose the second macro: " << moved;
}

}  // namespace

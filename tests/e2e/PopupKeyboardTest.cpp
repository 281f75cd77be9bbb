// The key-assignment popups as the user works them with the real keyboard
// and mouse: what was typed, ticked or pressed is what the keyboard's
// record holds, and the popups answer Enter, Escape and Tab as a dialog
// does.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kSingleKey[] = L"SingleKeyPopup.xml";
const wchar_t kSelectMacro[] = L"SelectMacroPopup.xml";
const wchar_t kRepeat[] = L"MacroRepeatEntryPopup.xml";

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
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-popups", kKeyboardWithTwoMacros));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
    }

    // A key's record once the keyboard holds one of that action other than
    // 'before'; its action Missing after the time-out.
    CKeyboardDump::Key WrittenRecord(const char* key, KeyAction action, const CKeyboardDump::Key& before = {}) {
        CKeyboardDump::Key found;
        WaitForKey(key, [&](const CKeyboardDump::Key& record) {
            if (record.action != action || record.data == before.data)
                return false;
            found = record;
            return true;
        });
        return found;
    }

    HWND main = nullptr;
};

TEST_F(PopupKeyboardTest, ARepeatCountIsWhatWasTypedAndNeverMoreThan255) {
    const struct {
        const char* key;
        const char* typed;
        const wchar_t* shown;  // what the edit takes of it
        unsigned stored;       // the count in the keyboard's record
    } cases[] = {
        {"F8", "300", L"30", 30},  // the last 0 is refused
        {"F9", "256", L"25", 25},  // the 6 is refused
        {"F10", "255", L"255", 255},
    };
    for (const auto& c : cases) {
        Assign(main, (std::string("BUTTON_KB_") + c.key).c_str(), "BUTTON_ASSIGNSELECT_MACRO");
        HWND choice = program->WaitForPopup();
        ASSERT_NE(choice, nullptr) << c.key;
        ASSERT_TRUE(program->Click(choice, kSelectMacro, "BUTTON_MACRO_PLAY_MULTIPLE"));
        ASSERT_TRUE(program->Click(choice, kSelectMacro, "BUTTON_POPUP_OK"));
        HWND count = program->WaitForNewPopup({choice});
        ASSERT_NE(count, nullptr) << "no repeat-count popup: " << program->DescribePopups();
        ASSERT_TRUE(TypeDigits(count, c.typed, c.shown));
        ASSERT_TRUE(program->Click(count, kRepeat, "BUTTON_POPUP_OK"));
        ASSERT_TRUE(WaitUntilClosed(count)) << c.typed;
    }
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    for (const auto& c : cases) {
        const CKeyboardDump::Key record = WrittenRecord(c.key, KeyAction::Macro);
        ASSERT_EQ(record.action, KeyAction::Macro) << c.key << " holds no macro";
        EXPECT_EQ(record.Play(), PlayCode::Repeat) << c.key << ": not repeated";
        EXPECT_EQ(record.RepeatCount(), c.stored) << c.key << " after typing " << c.typed;
    }
}

TEST_F(PopupKeyboardTest, AModifierTickedByHandCountsWithTheCapturedKey) {
    const CKeyboardDump::Key before = ActiveKey("F5");
    Assign(main, "BUTTON_KB_F5", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_CHKBOX_SLCT_SHIFT"));
    ASSERT_TRUE(WaitForFocusIn(popup));
    TypeKey(0x25, 'K');
    ExpectScreenshot(popup, L"popup-single-key-ticked-shift.png");
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(popup)) << program->DescribePopups();
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const CKeyboardDump::Key record = WrittenRecord("F5", KeyAction::Key, before);
    EXPECT_EQ(record.ScanCode(), 0x25u) << "not the K key: " << record.data;
    EXPECT_EQ(record.Modifiers(), unsigned(kModifierShift)) << "Shift is not in the record: " << record.data;
}

TEST_F(PopupKeyboardTest, AFastChordKeepsItsModifiers) {
    const CKeyboardDump::Key before = ActiveKey("F6");
    Assign(main, "BUTTON_KB_F6", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    ASSERT_TRUE(WaitForFocusIn(popup));
    // The modifiers let go of before the key, as a hand rolling off a chord does.
    SendKeys({{VK_CONTROL, true}, {VK_SHIFT, true}, {'X', true}, {VK_CONTROL, false}, {VK_SHIFT, false},
              {'X', false}});
    ASSERT_TRUE(program->Click(popup, kSingleKey, "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(popup)) << program->DescribePopups();
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const CKeyboardDump::Key record = WrittenRecord("F6", KeyAction::Key, before);
    EXPECT_EQ(record.ScanCode(), 0x2Du) << "not the X key: " << record.data;
    EXPECT_EQ(record.Modifiers(), unsigned(kModifierCtrl | kModifierShift))
        << "Ctrl and Shift are not in the record: " << record.data;
}

TEST_F(PopupKeyboardTest, OneEnterConfirmsTheMacroPopupAndOneEscapeCancelsIt) {
    // Escape leaves the key selected, so the second round opens the popup
    // from the same key.
    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F7"));
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO"));
        HWND popup = program->WaitForPopup();
        ASSERT_NE(popup, nullptr) << "key " << key;
        ASSERT_TRUE(WaitForFocusIn(popup));
        TypeVirtualKey(key);
        EXPECT_TRUE(WaitUntilClosed(popup, 1500)) << "key " << key << " did not close the popup";
        if (IsWindow(popup) && IsWindowVisible(popup))
            TypeVirtualKey(key);
        ASSERT_TRUE(WaitUntilClosed(popup));
    }
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_EQ(WrittenRecord("F7", KeyAction::Macro).action, KeyAction::Macro) << "Enter did not assign the macro";
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
    ASSERT_TRUE(WaitForFocusIn(popup));
    std::vector<HWND> visited;
    for (int i = 0; i < 8; ++i) {
        HWND from = FocusInThreadOf(popup);
        TypeVirtualKey(VK_TAB);
        WaitForFocusToLeave(popup, from);
        HWND focus = FocusInThreadOf(popup);
        if (focus && std::find(visited.begin(), visited.end(), focus) == visited.end())
            visited.push_back(focus);
        if (focus == ok)
            break;
    }
    EXPECT_GE(visited.size(), 2u) << "Tab does not move the focus";
    ASSERT_EQ(FocusInThreadOf(popup), ok) << "Tab never reaches OK";
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixels(okRect) != unfocused; })) << "the focused OK looks as before";
    ExpectScreenshot(popup, L"popup-macro-ok-focused.png");
    // Tab on to Cancel: Enter there cancels.
    TypeVirtualKey(VK_TAB);
    ASSERT_TRUE(WaitForFocusToLeave(popup, ok));
    ASSERT_EQ(FocusInThreadOf(popup), cancel);
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(popup, 1500)) << "Enter on Cancel did not close the popup";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    ASSERT_TRUE(WaitForQuietKeyboard(500));
    EXPECT_NE(KeyType("F7"), KeyAction::Macro) << "Enter on Cancel assigned the macro";
}

TEST_F(PopupKeyboardTest, TheDropDownListFitsItsEntriesAndEnterTakesTheChosenOne) {
    Assign(main, "BUTTON_KB_F7", "BUTTON_ASSIGNSELECT_MACRO");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(program->Click(popup, kSelectMacro, "LIST_DROPDOWN_POPUP"));
    HWND list = program->WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr) << "the drop-down list did not open";
    ExpectScreenshot(popup, L"popup-macro-dropdown-open.png");
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
    list = program->WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr);
    TypeVirtualKey(VK_DOWN);
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(list, 1500));
    ASSERT_TRUE(program->Click(popup, kSelectMacro, "LIST_DROPDOWN_POPUP"));
    list = program->WaitForNewPopup({popup});
    ASSERT_NE(list, nullptr);
    TypeVirtualKey(VK_UP);
    TypeVirtualKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntilClosed(list, 1500)) << "Escape did not close the list";
    ASSERT_TRUE(IsWindowVisible(popup)) << "Escape in the list closed the popup too";
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(popup, 1500));

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    const CKeyboardDump::Key kept = WrittenRecord("F7", KeyAction::Macro);
    EXPECT_TRUE(PlaysMacro(kept, kComboMacro)) << "Enter did not keep the chosen macro: " << kept.Guid();
    const CKeyboardDump::Key moved = WrittenRecord("F8", KeyAction::Macro);
    EXPECT_TRUE(PlaysMacro(moved, kSecondMacro)) << "Down and Enter did not choose the second macro: " << moved.Guid();
}

}  // namespace

// The popups under Wine, built from the installed skin: what they show and
// how their buttons answer.

#include "config/CKespaMacroAssignmentPopup.h"
#include "config/CKespaNumEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/ItemLookup.h"
#include "config/resource.h"
#include "gui/CBitmapBtn.h"
#include "gui/CPanelBitmap.h"
#include "gui/CLangTable.h"
#include "gui/CTextItem.h"
#include "gui/SkinLoader.h"
#include "gui/GUIResources.h"
#include "gui/SymbolIds.h"
#include "gui/SymbolTables.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

namespace {

class PopupWindows : public ::testing::Test {
protected:
    void SetUp() override {
        InitSymbolTables();
        ReleaseGUIResources();
        SetApplicationDirectory((DistPath() + L"\\").c_str());
        CLangTable::SetCurrentLanguageId(0);
        LoadXmlDescription(&languages, L"Language.xml", nullptr, false);
        CLangTable::SelectCurrent(0);
    }
    void TearDown() override {
        CLangTable::SetCurrent(nullptr);
        ReleaseGUIResources();
        SetApplicationDirectory(L"");
    }
    CGUIItems languages;
};

// Clicks a button the way the mouse does: press and release over it.
void Click(CGUIItem* item) {
    ASSERT_NE(item, nullptr);
    SendMessageW(item->m_itemWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(item->m_itemWindow, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    PumpUntilIdle(100);
}

// Shows a popup made modeless and gives one of its items; null when the
// popup cannot be made or lacks the item.
CGUIItem* ShowWithItem(CPopupBox& popup, int32_t id, int32_t type) {
    if (!popup.Create(IDD_POPUP, nullptr))
        return nullptr;
    popup.ShowWindow(SW_SHOW);
    PumpUntilIdle();
    return FindItem<CGUIItem>(popup.GetItems(), id, type);
}

TEST_F(PopupWindows, WarningShowsItsBackgroundAndTheSuffixAfterItsText) {
    CKespaWarningDlg warning(nullptr, L"RestorePopup.xml", L": Profile 1");
    ASSERT_TRUE(warning.Create(IDD_POPUP, nullptr));
    warning.ShowWindow(SW_SHOW);
    warning.UpdateWindow();
    PumpUntilIdle();
    CTextItem* heading = FindItem<CTextItem>(warning.GetItems(), TEXT_WARNDLG_HEADING, kItemTextItem);
    ASSERT_NE(heading, nullptr);
    const CString text = heading->GetText();
    EXPECT_EQ(text.Right(11), CString(L": Profile 1")) << (const wchar_t*)text;
    EXPECT_EQ(text.Find(L"$"), -1) << "the heading's key was not translated";

    ASSERT_NE(warning.GetBackground(), nullptr);
    CRect window;
    warning.GetWindowRect(&window);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, warning.GetBackground()->GetSafeHandle());
    const int x = 30, y = window.Height() - 20;
    const COLORREF painted = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    EXPECT_EQ(ScreenPixel(window.left + x, window.top + y), painted);
    EXPECT_TRUE(SaveWindowScreenshot(warning, ArtifactPath(L"config-restore-popup.png")));
    warning.DestroyWindow();
}

TEST_F(PopupWindows, MacroPopupStartsOnAValidModeAndKeepsOneModeChecked) {
    std::vector<CString> names = {L"One", L"Two"};
    CString name;
    int mode = 7;
    CKespaMacroAssignmentPopup popup(nullptr, names, name, mode);
    EXPECT_EQ(mode, 1) << "a mode outside 1-4 is 1";
    ASSERT_TRUE(popup.Create(IDD_POPUP, nullptr));
    popup.ShowWindow(SW_SHOW);
    PumpUntilIdle();
    auto button = [&](int32_t id) { return FindItem<CBitmapBtn>(popup.GetItems(), id, kItemBitmapButton); };
    CBitmapBtn* once = button(BUTTON_MACRO_PLAY_ONCE);
    CBitmapBtn* held = button(BUTTON_MACRO_PLAY_WHILEPRESSED);
    ASSERT_NE(once, nullptr);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(once->GetCheckState(), 1);

    Click(held);
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(held->GetCheckState(), 1);
    EXPECT_EQ(once->GetCheckState(), 0);

    // The checked one clicked again stays checked; the mode stays.
    Click(held);
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(held->GetCheckState(), 1);
    popup.DestroyWindow();
}

TEST_F(PopupWindows, NumberEntryTakesDigitsOnlyAndGivesTheirValueOnOk) {
    int result = 77;
    CKespaNumEntryPopup popup(nullptr, L"MacroRepeatEntryPopup.xml", result);
    CGUIItem* edit = ShowWithItem(popup, EDITCTRL_POPUP_NUMENTRY, kItemEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(edit->m_itemWindow), 0) << "the edit starts empty";
    // Typed as the keyboard would: key-downs go through the digits filter.
    for (wchar_t ch : std::wstring(L"4x2")) {
        MSG msg = {edit->m_itemWindow, WM_CHAR, static_cast<WPARAM>(ch), 0, 0, {}};
        if (!CWnd::WalkPreTranslateTree(popup.m_hWnd, &msg))
            SendMessageW(edit->m_itemWindow, WM_CHAR, ch, 0);
    }
    wchar_t text[16] = {};
    GetWindowTextW(edit->m_itemWindow, text, 16);
    EXPECT_STREQ(text, L"42");
    Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_POPUP_OK, kItemBitmapButton));
    EXPECT_EQ(result, 42);
    popup.DestroyWindow();
}

// Keys reach the count popup as the keyboard sends them, once its own
// modal loop runs; a popup that ignores them is ended after a while with
// kNoAnswer, so a swallowed key fails the test instead of hanging it.
constexpr INT_PTR kNoAnswer = -2;
CDialog* g_running = nullptr;
const wchar_t* g_typed = nullptr;
UINT g_endKey = 0;

void CALLBACK TypeIntoFocus(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND focus = GetFocus();
    for (const wchar_t* ch = g_typed; *ch; ++ch)
        PostMessageW(focus, WM_CHAR, *ch, 1);
    PostMessageW(focus, WM_KEYDOWN, g_endKey, 1);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_running)
        g_running->EndDialog(static_cast<int>(kNoAnswer));
}

TEST_F(PopupWindows, NumberEntryAnswersEnterAndEscapeFromItsEdit) {
    const struct {
        UINT key;
        INT_PTR answer;
        int result;
    } cases[] = {
        {VK_RETURN, IDOK, 12},
        {VK_ESCAPE, IDCANCEL, 77},  // the caller's value left alone
    };
    for (const auto& c : cases) {
        int result = 77;
        CKespaNumEntryPopup popup(nullptr, L"MacroRepeatEntryPopup.xml", result);
        g_running = &popup;
        g_typed = L"12";
        g_endKey = c.key;
        const UINT_PTR type = SetTimer(nullptr, 0, 200, TypeIntoFocus);
        const UINT_PTR giveUp = SetTimer(nullptr, 0, 3000, GiveUp);
        const INT_PTR answer = popup.DoModal();
        KillTimer(nullptr, type);
        KillTimer(nullptr, giveUp);
        g_running = nullptr;
        EXPECT_EQ(answer, c.answer) << "key " << c.key;
        EXPECT_EQ(result, c.result) << "key " << c.key;
    }
}

TEST_F(PopupWindows, AHoveredButtonKeepsTheCaptureItsPressTakes) {
    int result = 0;
    CKespaNumEntryPopup popup(nullptr, L"MacroRepeatEntryPopup.xml", result);
    CGUIItem* ok = ShowWithItem(popup, BUTTON_POPUP_OK, kItemBitmapButton);
    ASSERT_NE(ok, nullptr);
    const HWND button = ok->m_itemWindow;
    // Hovering takes the capture, so the button learns when the mouse leaves.
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(GetCapture(), button);
    // The press takes it again for the button itself; letting it go there
    // loses the release, and with it the click.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_EQ(GetCapture(), button) << "the press lost the capture";
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_NE(GetCapture(), button);
    PumpUntilIdle(100);
    popup.DestroyWindow();
}

}  // namespace

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
    ASSERT_TRUE(popup.Create(IDD_POPUP, nullptr));
    popup.ShowWindow(SW_SHOW);
    PumpUntilIdle();
    CGUIItem* edit = FindItem<CGUIItem>(popup.GetItems(), EDITCTRL_POPUP_NUMENTRY, kItemEdit);
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

}  // namespace

// The popups under Wine, built from the installed skin: what they show and
// how their buttons answer.

#include "config/CKespaMacroAssignmentPopup.h"
#include "config/CKespaNumEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/CPoldPopupBoxSingleKeyEntry.h"
#include "config/CTilvorPopupBoxSingleKeyEntry.h"
#include "config/ItemLookup.h"
#include "config/resource.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CEditItem.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/core/CPanelBitmap.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/CFontItem.h"
#include "gui/widgets/CTextItem.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolIds.h"
#include "gui/skin/SymbolTables.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

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

TEST_F(PopupWindows, AMessageGoesIntoTheMessageLineAndOverTheHeadingOnlyWithoutOne) {
    const struct {
        const wchar_t* skinFile;
        const wchar_t* heading;  // null: the message
        const wchar_t* line;     // null: the skin has none
    } cases[] = {
        {L"ProfileLimitReachedPopup.xml", L"The keyboard holds no more than 20 profiles.", L"Copy"},
        {L"PathLengthLimitReachedPopUp.xml", L"The path of the chosen file is too long.", L"Copy"},
        {L"FileErrorPopUp.xml", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.skinFile).ToUtf8());
        CKespaWarningDlg warning(nullptr, c.skinFile);
        warning.SetText(L"$Copy");
        ASSERT_TRUE(warning.Create(IDD_POPUP, nullptr));
        warning.ShowWindow(SW_SHOW);
        PumpUntilIdle();
        CTextItem* heading = FindItem<CTextItem>(warning.GetItems(), TEXT_WARNDLG_HEADING, kItemTextItem);
        CTextItem* line = FindItem<CTextItem>(warning.GetItems(), TEXT_WARNDLG_MESSAGE, kItemTextItem);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->GetText(), CString(c.heading ? c.heading : L"Copy"));
        EXPECT_EQ(line != nullptr, c.line != nullptr);
        if (line && c.line)
            EXPECT_EQ(line->GetText(), CString(c.line));
        if (std::wstring(c.skinFile) == L"ProfileLimitReachedPopup.xml")
            EXPECT_TRUE(SaveWindowScreenshot(warning, ArtifactPath(L"config-profile-limit-popup.png")));
        warning.DestroyWindow();
    }
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

TEST_F(PopupWindows, TabVisitsTheMacroPopupsControlsInReadingOrderAndTheFocusShows) {
    std::vector<CString> names = {L"One", L"Two"};
    CString name;
    int mode = 1;
    CKespaMacroAssignmentPopup popup(nullptr, names, name, mode);
    ASSERT_TRUE(popup.Create(IDD_POPUP, nullptr));
    popup.ShowWindow(SW_SHOW);
    SetForegroundWindow(popup);
    PumpUntilIdle();
    const int32_t order[] = {LIST_DROPDOWN_POPUP, BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE,
                             BUTTON_MACRO_PLAY_UNTILPRESSED, BUTTON_MACRO_PLAY_WHILEPRESSED, BUTTON_POPUP_OK,
                             BUTTON_POPUP_CANCEL};
    auto window = [&](int32_t id) {
        CGUIItem* item = popup.GetItems().FindById(id);
        return item ? item->m_itemWindow : nullptr;
    };
    EXPECT_EQ(GetFocus(), window(order[0])) << "the popup does not open on its drop-down";
    HWND at = window(order[0]);
    for (size_t i = 1; i <= std::size(order); ++i) {
        at = GetNextDlgTabItem(popup, at, FALSE);
        EXPECT_EQ(at, window(order[i % std::size(order)])) << "tab stop " << i;
    }

    // The focused button draws a mark that the unfocused one lacks.
    CGUIItem* ok = popup.GetItems().FindById(BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    SendMessageW(popup, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    RECT okRect;
    GetWindowRect(ok->m_itemWindow, &okRect);
    PumpUntilIdle(100);
    const std::vector<uint32_t> unfocused = ScreenPixels(okRect);
    SetFocus(ok->m_itemWindow);
    PumpUntilIdle(100);
    EXPECT_NE(ScreenPixels(okRect), unfocused) << "a focused OK looks as an unfocused one";
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"config-macro-popup-ok-focused.png")));

    // Space works a focused play-mode box as a click does.
    SetFocus(window(BUTTON_MACRO_PLAY_MULTIPLE));
    SendMessageW(window(BUTTON_MACRO_PLAY_MULTIPLE), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(window(BUTTON_MACRO_PLAY_MULTIPLE), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpUntilIdle(100);
    EXPECT_EQ(mode, 2) << "Space did not choose the focused play mode";
    EXPECT_EQ(FindItem<CBitmapBtn>(popup.GetItems(), BUTTON_MACRO_PLAY_MULTIPLE)->GetCheckState(), 1);
    popup.DestroyWindow();
}

TEST_F(PopupWindows, EachPlayModeLabelEndsBeforeTheNextBox) {
    std::vector<CString> names = {L"One"};
    CString name;
    int mode = 1;
    CKespaMacroAssignmentPopup popup(nullptr, names, name, mode);
    ASSERT_TRUE(popup.Create(IDD_POPUP, nullptr));
    popup.ShowWindow(SW_SHOW);
    PumpUntilIdle();
    auto rectOf = [&](HWND window) {
        CRect r;
        GetWindowRect(window, &r);
        ScreenToClient(popup, reinterpret_cast<POINT*>(&r.left));
        ScreenToClient(popup, reinterpret_cast<POINT*>(&r.right));
        return r;
    };
    std::vector<CRect> boxes;
    for (int32_t id : {BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE, BUTTON_MACRO_PLAY_UNTILPRESSED,
                       BUTTON_MACRO_PLAY_WHILEPRESSED})
        boxes.push_back(rectOf(FindItem<CGUIItem>(popup.GetItems(), id)->m_itemWindow));
    int labels = 0;
    for (int32_t id : {TEXT_WARNDLG_MESSAGE, TEXT_WARNDLG_MESSAGE_NAME, TEXT_WARNDLG_MESSAGE_RESET,
                       TEXT_WARNDLG_MESSAGE_DELETE}) {
        auto* label = FindItem<CTextItem>(popup.GetItems(), id, kItemTextItem);
        ASSERT_NE(label, nullptr) << id;
        ++labels;
        // The label draws its single line 5 pixels in from its left.
        HDC dc = GetDC(*label);
        HGDIOBJ old = SelectObject(dc, label->GetFontItem()->GetSafeHandle());
        SIZE extent = {};
        const CString text = label->GetText();
        GetTextExtentPoint32W(dc, text, text.GetLength(), &extent);
        SelectObject(dc, old);
        ReleaseDC(*label, dc);
        const CRect place = rectOf(*label);
        const int textLeft = place.left + 5, textRight = textLeft + extent.cx;
        EXPECT_LE(textRight, place.right) << text.ToUtf8() << " is cut off";
        // The label's own box stands left of it; the next box to its right
        // must stand further off than that, or the text reads as the next
        // box's.
        const CRect* own = nullptr;
        const CRect* next = nullptr;
        for (const CRect& box : boxes) {
            if (box.top >= place.bottom || box.bottom <= place.top)
                continue;
            if (box.right <= place.left && (!own || box.right > own->right))
                own = &box;
            if (box.left >= place.left && (!next || box.left < next->left))
                next = &box;
        }
        ASSERT_NE(own, nullptr) << text.ToUtf8() << " has no box of its own";
        if (next)
            EXPECT_GE(next->left - textRight, textLeft - own->right) << text.ToUtf8() << " runs into the next box";
    }
    EXPECT_EQ(labels, 4);
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"config-macro-popup-labels.png")));
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

// Types into an edit of a popup as the keyboard's characters arrive: each
// goes through the popup's message filters first.
std::wstring TypeInto(CPopupBox& popup, CGUIItem* edit, const wchar_t* typed) {
    for (const wchar_t* ch = typed; *ch; ++ch) {
        MSG msg = {edit->m_itemWindow, WM_CHAR, static_cast<WPARAM>(*ch), 0, 0, {}};
        if (!CWnd::WalkPreTranslateTree(popup.m_hWnd, &msg))
            SendMessageW(edit->m_itemWindow, WM_CHAR, *ch, 0);
    }
    wchar_t text[16] = {};
    GetWindowTextW(edit->m_itemWindow, text, 16);
    return text;
}

TEST_F(PopupWindows, TheRepeatCountTakesNoNumberAKeyboardByteCannotHold) {
    const struct {
        const wchar_t* typed;
        const wchar_t* shown;
    } cases[] = {
        {L"255", L"255"},
        {L"256", L"25"},
        {L"1000", L"100"},  // a fourth digit never fits
        {L"0", L""},        // no count of 0 (the caller refuses the empty entry)
        {L"300", L"30"},    // 300 is refused at its last digit
    };
    int result = 77;
    CKespaNumEntryPopup popup(nullptr, L"MacroRepeatEntryPopup.xml", result);
    CGUIItem* edit = ShowWithItem(popup, EDITCTRL_POPUP_NUMENTRY, kItemEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SendMessageW(edit->m_itemWindow, EM_GETLIMITTEXT, 0, 0), 3) << "more digits than 255 has";
    for (const auto& c : cases) {
        SetWindowTextW(edit->m_itemWindow, L"");
        EXPECT_EQ(TypeInto(popup, edit, c.typed), std::wstring(c.shown)) << "typed " << CString(c.typed).ToUtf8();
    }
    Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_POPUP_OK, kItemBitmapButton));
    EXPECT_EQ(result, 30) << "the count is not what the edit shows";
    popup.DestroyWindow();
}

TEST_F(PopupWindows, ACountPutIntoTheEditPastTheRangeIsRefusedNotCut) {
    int result = 77;
    CKespaNumEntryPopup popup(nullptr, L"MacroRepeatEntryPopup.xml", result);
    CGUIItem* edit = ShowWithItem(popup, EDITCTRL_POPUP_NUMENTRY, kItemEdit);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit->m_itemWindow, L"300");
    Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_POPUP_OK, kItemBitmapButton));
    EXPECT_EQ(result, 77) << "300 was taken";
    EXPECT_TRUE(popup.IsWindowVisible()) << "the popup closed on a count it cannot keep";
    popup.DestroyWindow();
}

// The single-key popup fed real keys (raw input reaches its capture edit)
// and clicks on its boxes.
class SingleKeyPopup : public PopupWindows {};

TEST_F(SingleKeyPopup, ABoxTickedOrClearedByHandCountsWithTheCapturedKey) {
    using Keys = std::vector<std::pair<WORD, bool>>;
    const struct {
        const char* what;
        int32_t boxBefore;  // clicked before the key (0: none)
        Keys keys;
        int32_t boxAfter;   // clicked after it (0: none)
        uint8_t modifiers;  // Shift 8, Ctrl 4, Alt 2
    } cases[] = {
        {"Shift ticked, then K", BUTTON_CHKBOX_SLCT_SHIFT, {{'K', true}, {'K', false}}, 0, 0x08},
        {"Alt ticked, then Ctrl+K", BUTTON_CHKBOX_SLCT_ALT,
         {{VK_CONTROL, true}, {'K', true}, {'K', false}, {VK_CONTROL, false}}, 0, 0x06},
        {"Ctrl+K, then Ctrl cleared", 0, {{VK_CONTROL, true}, {'K', true}, {'K', false}, {VK_CONTROL, false}},
         BUTTON_CHKBOX_SLCT_CTRL, 0x00},
        {"K, then Shift ticked", 0, {{'K', true}, {'K', false}}, BUTTON_CHKBOX_SLCT_SHIFT, 0x08},
    };
    for (const auto& c : cases) {
        KeyEntryResult result;
        CPoldPopupBoxSingleKeyEntry popup(nullptr, result);
        CGUIItem* edit = ShowWithItem(popup, EDITCTRL_POPUP_SINGLEKEYENTRY, kItemEditSingleKey);
        ASSERT_NE(edit, nullptr) << c.what;
        if (c.boxBefore)
            Click(FindItem<CGUIItem>(popup.GetItems(), c.boxBefore, kItemBitmapButton));
        SendKeys(c.keys);
        ASSERT_TRUE(PumpUntil([&] { return result.firstKey != 0; }, 3000)) << c.what << ": no key captured";
        PumpUntilIdle(100);
        if (c.boxAfter)
            Click(FindItem<CGUIItem>(popup.GetItems(), c.boxAfter, kItemBitmapButton));
        Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_POPUP_OK, kItemBitmapButton));
        EXPECT_EQ(result.firstKey, 0x25) << c.what;
        EXPECT_EQ(result.modifiers & 0x0E, c.modifiers) << c.what;
        popup.DestroyWindow();
    }
}

TEST_F(SingleKeyPopup, TheEditKeyPopupStartsOnTheStepsKeyAndGivesItBackUnlessAnotherIsPressed) {
    const struct {
        const char* what;
        std::vector<std::pair<WORD, bool>> keys;
        uint16_t scanCode;
        uint16_t virtualKey;
        uint8_t modifiers;
    } cases[] = {
        {"nothing pressed, Shift ticked", {}, 0x1D, VK_RCONTROL, kModifierExtended | kModifierShift},
        {"K pressed, Shift ticked", {{'K', true}, {'K', false}}, 0x25, 'K', kModifierShift},
    };
    for (const auto& c : cases) {
        KeyEntryResult result;
        result.text = L"Right Ctrl";
        result.firstKey = 0x1D;
        result.secondKey = VK_RCONTROL;
        result.modifiers = kModifierExtended;
        CTilvorPopupBoxSingleKeyEntry popup(nullptr, result);
        CGUIItem* edit = ShowWithItem(popup, EDITCTRL_POPUP_SINGLEKEYENTRY, kItemEditSingleKey);
        ASSERT_NE(edit, nullptr) << c.what;
        EXPECT_EQ(TextOf(edit->m_itemWindow), L"Right Ctrl") << c.what;
        if (!c.keys.empty()) {
            SendKeys(c.keys);
            ASSERT_TRUE(PumpUntil([&] { return TextOf(edit->m_itemWindow) != L"Right Ctrl"; }, 3000)) << c.what;
            PumpUntilIdle(100);
        }
        Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_CHKBOX_SLCT_SHIFT, kItemBitmapButton));
        Click(FindItem<CGUIItem>(popup.GetItems(), BUTTON_POPUP_OK, kItemBitmapButton));
        EXPECT_EQ(result.firstKey, c.scanCode) << c.what;
        EXPECT_EQ(result.secondKey, c.virtualKey) << c.what;
        EXPECT_EQ(result.modifiers, c.modifiers) << c.what;
        popup.DestroyWindow();
    }
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

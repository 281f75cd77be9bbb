// The basic widgets under Wine, built by the loader from skin files: what
// each reports to its parent (buttons with control id 0 and their window,
// keys with their symbolic id), the pictures the user sees for hover,
// pressed and disabled, labels that work their check box, the bitmap
// window's caption, the scroll bar's steps, and a screenshot of the test
// page that holds them all.

#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CBitmapItem.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/widgets/CKeyboardKeyItem.h"
#include "gui/core/CPopupBox.h"
#include "gui/widgets/CTextItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "gui/skin/GUIResources.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "platform/CClientDC.h"
#include "tests/gui/GuiWindowTestResources.h"
#include "tests/gui/SkinTestFolder.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The widgets' host is black, so a screen pixel beside a widget is known.
HBRUSH Black() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

// Solid state pictures, so a screen pixel tells which one is shown.
const COLORREF kNormal = RGB(20, 60, 90), kOver = RGB(30, 150, 60), kDown = RGB(150, 30, 30),
               kDisabled = RGB(70, 70, 70);

const char kWidgetSkin[] = R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13"/></FONTLIST>
  <BITMAPLIST>
    <BITMAPITEM name="BITMAP_PROFILE_RECT" moveable="0"><SBMN>N.bmp</SBMN>
      <RECT left="200" top="0" right="150" bottom="100"/></BITMAPITEM>
    <BITMAPITEM name="BITMAP_BRIGHTNESS_SETTINGS"><SBMN>N.bmp</SBMN>
      <RECT left="200" top="110" right="20" bottom="20"/></BITMAPITEM>
    <BITMAPWINDOW name="BITMAPWIN_ASSIGNKEY" caps="U"><SBMN>N.bmp</SBMN><SBMDS>Inner.bmp</SBMDS>
      <RECT left="0" top="140" right="160" bottom="120"/><BITMAPITEM assntype="3" SBMN="Icon.bmp"/></BITMAPWINDOW>
  </BITMAPLIST>
  <BUTTONLIST>
    <BUTTON name="BUTTON_POPUP_OK"><SBMN>N.bmp</SBMN><SBMO>O.bmp</SBMO><SBMD>D.bmp</SBMD><SBMDS>X.bmp</SBMDS>
      <RECT left="10" top="10" right="60" bottom="30"/></BUTTON>
    <BUTTON name="BUTTON_CHKBOX_SLCT_SHIFT" ischeckbox="1"><SBMN>N.bmp</SBMN><SBMO>O.bmp</SBMO><SBMD>D.bmp</SBMD>
      <RECT left="10" top="50" right="20" bottom="20"/></BUTTON>
    <BUTTON name="BUTTON_APPLY" windowid="BITMAP_PROFILE_RECT"><SBMN>N.bmp</SBMN>
      <RECT left="10" top="10" right="40" bottom="20"/></BUTTON>
    <AVIBUTTON name="BUTTON_FB"><RECT left="0" top="300" right="10" bottom="10"/></AVIBUTTON>
    <AVIBUTTON name="BUTTON_TWITTER"><RECT left="20" top="300" right="10" bottom="10"/></AVIBUTTON>
  </BUTTONLIST>
  <TEXTLIST>
    <TEXTITEM name="TEXT_SLCT_SHIFT" interactive="1" checkboxid="BUTTON_CHKBOX_SLCT_SHIFT" textkey="Shift"
              fontid="FONT_ARIAL12"><RECT left="40" top="50" right="80" bottom="20"/></TEXTITEM>
    <TEXTITEM name="TEXT_SLCT_CTRL" checkboxid="BUTTON_CHKBOX_SLCT_SHIFT" textkey="Ctrl">
      <RECT left="40" top="80" right="80" bottom="20"/></TEXTITEM>
    <TEXTITEM name="TEXT_PROFILEINFO" windowid="BITMAP_PROFILE_RECT" justify="C" multiline="1" textkey="a\nb">
      <RECT left="10" top="40" right="100" bottom="40"/></TEXTITEM>
  </TEXTLIST>
  <KBDKEYLIST>
    <BUTTONBITMAPS><SBMN>N.bmp</SBMN><SBMO>O.bmp</SBMO><SBMD>D.bmp</SBMD></BUTTONBITMAPS>
    <KBDKEY name="BUTTON_KB_ESC" caption="Esc"><RECT left="100" top="50" right="40" bottom="40"/></KBDKEY>
  </KBDKEYLIST>
</ITEMLIST>)";

constexpr int kBothParams = ExpectedMessage::WParam | ExpectedMessage::LParam;

// What a push button or a check box tells its parent when it is clicked:
// BN_CLICKED with control id 0 (the parent knows it by its window) or, for
// a click on its label, the label's id.
ExpectedMessage ClickedNotice(HWND button, int controlId = 0) {
    return {WM_COMMAND, kBothParams, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button)};
}

// A click on an interactive label: the label's own notice (its window in
// lParam) may come first; the one that counts names its check box.
std::vector<ExpectedMessage> LabelClickMessages(HWND label, HWND box, int labelId) {
    return {{WM_COMMAND, ExpectedMessage::LParam | ExpectedMessage::Optional, 0, reinterpret_cast<LPARAM>(label)},
            ClickedNotice(box, labelId)};
}

// The pointer moved onto a key and the key clicked: the hover and the click
// with the key's symbolic id, then the button's own notice.
std::vector<ExpectedMessage> KeyClickMessages(HWND key, int keyId) {
    return {{WM_KEYITEM_HOVER, kBothParams, 0, keyId},
            {WM_KEYITEM_CLICKED, kBothParams, 0, keyId},
            ClickedNotice(key)};
}

class Widgets : public SkinOnHost {
protected:
    Widgets() : SkinOnHost(L"gui-widgets", {WM_COMMAND, WM_KEYITEM_HOVER, WM_KEYITEM_CLICKED}, Black()) {}
    void SetUp() override {
        const std::pair<const wchar_t*, COLORREF> pictures[] = {
            {L"skins\\N.bmp", kNormal}, {L"skins\\O.bmp", kOver}, {L"skins\\D.bmp", kDown},
            {L"skins\\X.bmp", kDisabled}, {L"skins\\Icon.bmp", RGB(0, 200, 0)},
        };
        for (const auto& p : pictures)
            folder.WriteBmp(p.first, 200, 150, [c = p.second](int, int) { return c; });
        folder.WriteBmp(L"skins\\Inner.bmp", 150, 110, [](int, int) { return RGB(0, 0, 0); });
        LoadOntoHost(L"Widgets.xml", kWidgetSkin, 400, 320);
    }

    // Real input: the cursor moved to a point of a window, then a button.
    static void MoveTo(HWND hwnd, int x, int y) {
        MoveMouseTo(hwnd, x, y);
        PumpUntilIdle(100);
    }
    static void Button(DWORD flag) {
        MouseButton(flag);
        PumpUntilIdle(100);
    }
    static COLORREF PixelOf(HWND hwnd, int x, int y) { return ClientPixel(hwnd, x, y); }
};

TEST_F(Widgets, TheLoaderBuildsEachWidgetUnderTheWindowItNames) {
    auto* ok = Item<CBitmapBtn>(BUTTON_POPUP_OK);
    auto* apply = Item<CBitmapBtn>(BUTTON_APPLY);
    auto* picture = Item<CBitmapItem>(BITMAP_PROFILE_RECT);
    auto* plainPicture = Item<CBitmapItem>(BITMAP_BRIGHTNESS_SETTINGS);
    auto* label = Item<CTextItem>(TEXT_SLCT_SHIFT);
    auto* info = Item<CTextItem>(TEXT_PROFILEINFO);
    auto* window = Item<CBitmapWindow>(BITMAPWIN_ASSIGNKEY);
    auto* key = Item<CKeyboardKeyItem>(BUTTON_KB_ESC);
    ASSERT_TRUE(ok && apply && picture && plainPicture && label && info && window && key);

    EXPECT_EQ(ok->m_itemType, kItemBitmapButton);
    EXPECT_EQ(GetDlgCtrlID(*ok), 0);                 // parents tell buttons apart by window
    EXPECT_EQ(GetDlgCtrlID(*window), -1);
    EXPECT_EQ(GetDlgCtrlID(*label), TEXT_SLCT_SHIFT);
    EXPECT_EQ(GetParent(*apply), picture->GetSafeHwnd());
    EXPECT_EQ(GetParent(*info), picture->GetSafeHwnd());
    EXPECT_EQ(label->GetStyle(), 0x5000010Du);
    EXPECT_EQ(Item<CTextItem>(TEXT_SLCT_CTRL)->GetStyle(), 0x5000000Du);
    EXPECT_EQ(ok->GetStyle() & (WS_TABSTOP | WS_BORDER | BS_TYPEMASK), static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(picture->IsWindowEnabled());         // moveable="0" takes the mouse
    EXPECT_FALSE(plainPicture->IsWindowEnabled());   // the mouse falls through to the panel
    EXPECT_EQ(info->GetText(), CString(L"a\r\nb"));
    EXPECT_EQ(info->GetFormat(), static_cast<UINT>(DT_CENTER | DT_WORDBREAK));
    EXPECT_EQ(label->GetLinkedCheckBox(), Item<CBitmapBtn>(BUTTON_CHKBOX_SLCT_SHIFT));
    EXPECT_EQ(key->m_itemType, kItemKeyboardKey);
    EXPECT_TRUE(key->IsCheckBox());
    EXPECT_FALSE(key->TogglesOnClick());
    EXPECT_NE(Item<CGUIItem>(BUTTON_FB), nullptr);
    EXPECT_EQ(Item<CGUIItem>(BUTTON_TWITTER), nullptr);  // only the first animated button
}

TEST_F(Widgets, APlainButtonReportsItsClickWithIdZeroAndItsWindowAndIgnoresDoubleClicks) {
    auto* ok = Item<CBitmapBtn>(BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    const LPARAM point = MAKELPARAM(5, 5);
    ok->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    ok->SendMessage(WM_LBUTTONUP, 0, point);
    ok->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ok->SendMessage(WM_LBUTTONUP, 0, point);
    PumpUntilIdle(100);
    EXPECT_EQ(host.recorder.Compare({ClickedNotice(*ok)}), "");
    EXPECT_EQ(items.FindByWindow(*ok), static_cast<CGUIItem*>(ok));
}

TEST_F(Widgets, ACheckBoxReportsAndTogglesOnButtonDownAndNotOnButtonUp) {
    auto* box = Item<CBitmapBtn>(BUTTON_CHKBOX_SLCT_SHIFT);
    ASSERT_NE(box, nullptr);
    box->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(box->GetCheckState(), 1);
    EXPECT_EQ(host.recorder.Count(WM_COMMAND), 1u);
    box->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpUntilIdle(100);
    EXPECT_EQ(host.recorder.Compare({ClickedNotice(*box)}), "");
    EXPECT_EQ(PixelOf(*box, 2, 2), kDown);  // checked shows down
}

TEST_F(Widgets, AnInteractiveLabelWorksItsCheckBoxAndAPlainLabelLetsTheClickThrough) {
    auto* box = Item<CBitmapBtn>(BUTTON_CHKBOX_SLCT_SHIFT);
    auto* label = Item<CTextItem>(TEXT_SLCT_SHIFT);
    auto* plain = Item<CTextItem>(TEXT_SLCT_CTRL);
    ASSERT_TRUE(box && label && plain);
    MoveTo(*plain, 10, 10);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(host.recorder.Count(WM_COMMAND), 0u);
    EXPECT_EQ(box->GetCheckState(), 0);

    MoveTo(*label, 10, 10);
    EXPECT_TRUE(label->IsHovered());
    EXPECT_TRUE(box->IsHoveredFromLabel());
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(box->GetCheckState(), 1);
    EXPECT_EQ(host.recorder.Compare(LabelClickMessages(*label, *box, TEXT_SLCT_SHIFT)), "");
    MoveTo(host, 390, 300);
    EXPECT_FALSE(label->IsHovered());
    EXPECT_FALSE(box->IsHoveredFromLabel());
}

TEST_F(Widgets, HoverPressedAndDisabledEachShowTheirPicture) {
    auto* ok = Item<CBitmapBtn>(BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(PixelOf(*ok, 2, 2), kNormal);
    MoveTo(*ok, 20, 15);
    EXPECT_TRUE(ok->IsHovered());
    EXPECT_EQ(PixelOf(*ok, 2, 2), kOver);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(PixelOf(*ok, 2, 2), kDown);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(host.recorder.Count(WM_COMMAND), 1u);
    MoveTo(host, 390, 300);
    EXPECT_FALSE(ok->IsHovered());
    EXPECT_EQ(PixelOf(*ok, 2, 2), kNormal);
    ok->EnableWindow(false);
    PumpUntilIdle(100);
    EXPECT_EQ(PixelOf(*ok, 2, 2), kDisabled);
}

TEST_F(Widgets, AButtonOnAPictureReportsThroughThePictureToThePanel) {
    auto* apply = Item<CBitmapBtn>(BUTTON_APPLY);
    ASSERT_NE(apply, nullptr);
    apply->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    apply->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntilIdle(100);  // the picture posts it on
    EXPECT_EQ(host.recorder.Compare({{WM_COMMAND, ExpectedMessage::LParam, 0,
                                      reinterpret_cast<LPARAM>(apply->GetSafeHwnd())}}),
              "");
}

TEST_F(Widgets, AKeyReportsHoverAndClickWithItsIdThenItsCommand) {
    auto* key = Item<CKeyboardKeyItem>(BUTTON_KB_ESC);
    ASSERT_NE(key, nullptr);
    key->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    key->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    key->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntilIdle(100);
    EXPECT_EQ(host.recorder.Compare(KeyClickMessages(*key, BUTTON_KB_ESC)), "");
    EXPECT_EQ(key->GetCheckState(), 0);  // a key never toggles itself
    EXPECT_EQ(key->GetKeyEntry(), nullptr);  // no key definition named
}

TEST_F(Widgets, ABlinkAlternatesDownAndNormalUntilStopped) {
    auto* ok = Item<CBitmapBtn>(BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    ok->StartBlink(40);
    EXPECT_EQ(ok->GetBlinkPicture(), &ok->GetPicture(CBitmapBtn::kNormal));
    EXPECT_TRUE(PumpUntil([&] { return ok->GetBlinkPicture() == &ok->GetPicture(CBitmapBtn::kDown); }, 2000));
    EXPECT_TRUE(PumpUntil([&] { return ok->GetBlinkPicture() == &ok->GetPicture(CBitmapBtn::kNormal); }, 2000));
    ok->StopBlink();
    EXPECT_EQ(ok->GetBlinkPicture(), nullptr);
}

TEST_F(Widgets, TheBitmapWindowShortensACopyOfItsCaptionAndALockedWindowKeepsItsText) {
    auto* window = Item<CBitmapWindow>(BITMAPWIN_ASSIGNKEY);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetIconCount(), 1u);
    // The client area grown on each side by 150 - 160 and 110 - 120: shrunk.
    EXPECT_TRUE(window->GetInnerArea() == CRect(10, 10, 150, 110));
    const CString caption = L"Launch program with a rather long path name";
    window->SetText(caption);
    EXPECT_EQ(window->GetText(), CString(L"LAUNCH PROGRAM WITH A RATHER LONG PATH NAME"));  // caps="U"
    window->SetAssignmentType(3);
    window->SetTextBand(true);
    window->Invalidate(false);
    window->UpdateWindow();
    CClientDC dc(window);
    dc.SelectObject(GetFallbackFont());
    const CString shown = window->FittedCaption(dc, 200);
    EXPECT_EQ(shown.Right(3), CString(L"..."));
    EXPECT_EQ(window->GetText(), CString(L"LAUNCH PROGRAM WITH A RATHER LONG PATH NAME"));

    window->SetLocked(true);
    window->SetText(L"other");
    EXPECT_EQ(window->GetText(), CString(L"LAUNCH PROGRAM WITH A RATHER LONG PATH NAME"));
}

TEST_F(Widgets, AWidgetLeavesTheSharedFontToTheList) {
    CFontItem* font = Item<CFontItem>(FONT_ARIAL12);
    ASSERT_NE(font, nullptr);
    const HFONT handle = font->GetSafeHandle();
    pugi::xml_document doc;
    doc.load_string("<TEXTITEM name=\"TEXT_LOGO\" fontid=\"FONT_ARIAL12\"><RECT right=\"10\" bottom=\"10\"/></TEXTITEM>");
    CTextItem* text = CTextItem::CreateFromElement(doc.first_child(), &host, items);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetFontItem(), font);
    delete text;
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
}

// A list window with a scroll range that a bar steers; it records the
// scroll messages the bar posts to it.
class ScrolledList : public CWnd {
public:
    ScrolledList() : recorder({WM_VSCROLL, WM_KILLFOCUS}) {}
    bool Open(CWnd* parent, int x) {
        return Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(x, 0, x + 100, 200), parent, 1);
    }
    void SetRange(int max, int page, int pos) {
        SCROLLINFO info = {sizeof info, SIF_ALL, 0, max, static_cast<UINT>(page), pos, 0};
        SetScrollInfo(SB_VERT, &info, false);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        recorder.Record(m_hWnd, message, wParam, lParam);
        if (message == WM_VSCROLL)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    MessageRecorder recorder;
};

class ScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(400, 220));
        for (int i = 0; i < 6; ++i) {
            const int height = i == CVScrollBar::kThumb ? 20 : i == CVScrollBar::kSpan ? 1 : i < 2 ? 4 : 10;
            Solid(pictures[i], 12, height, RGB(40 * i, 100, 200 - 30 * i));
        }
        set = {&pictures[0], &pictures[1], &pictures[2], &pictures[3], &pictures[4], &pictures[5], 0};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(lists[i].Open(&host, 150 * i));
            bars[i] = std::make_unique<CVScrollBar>(12, &lists[i]);
            bars[i]->SetThumbBitmap(set);
            ASSERT_TRUE(bars[i]->Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(100 + 150 * i, 0, 112 + 150 * i, 200),
                                        &host, 0xFFFF));
        }
    }
    static void Solid(CBitmap& bitmap, int width, int height, COLORREF colour) {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, colour);
    }
    static void Click(CVScrollBar& bar, int x, int y) {
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static ExpectedMessage Scroll(UINT code, int position = 0) {
        return {WM_VSCROLL, kBothParams, MAKEWPARAM(code, position), 0};
    }
    // A click on the up arrow: one line up, then the end of the scroll.
    static std::vector<ExpectedMessage> LineUpMessages() { return {Scroll(SB_LINEUP), Scroll(SB_ENDSCROLL)}; }

    WidgetHost host{{}, Black()};
    CBitmap pictures[6];
    ScrollBarBitmaps set;
    ScrolledList lists[2];
    std::unique_ptr<CVScrollBar> bars[2];
};

TEST_F(ScrollBars, ArrowsStepALineAndAReleaseInAnArrowNotPressedDoesNothing) {
    lists[0].SetRange(20, 5, 5);
    Click(*bars[0], 5, 8);  // the up arrow: 4 .. 14; the down arrow: 186 .. 196
    PumpUntilIdle(100);
    EXPECT_EQ(lists[0].recorder.Compare(LineUpMessages()), "");
    lists[0].recorder.Clear();
    bars[0]->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 60));  // pressed in the track
    bars[0]->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 190));            // released in the down arrow
    PumpUntilIdle(100);
    EXPECT_EQ(lists[0].recorder.Compare({}), "");
}

TEST_F(ScrollBars, APageDownWithTheLastPageInViewJumpsToTheEndAndSetsTheList) {
    lists[0].SetRange(20, 5, 14);
    bars[0]->UpdateThumbPosition();
    Click(*bars[0], 5, 176);  // below the thumb, above the down arrow
    PumpUntilIdle(150);
    // A page down that reaches the end: the bar sets the list's last
    // position, then ends the scroll.
    EXPECT_EQ(lists[0].recorder.Compare({Scroll(SB_THUMBPOSITION, 15), Scroll(SB_ENDSCROLL)}), "");
    EXPECT_EQ(lists[0].GetScrollPos(SB_VERT), 15);
    EXPECT_EQ(bars[0]->GetThumbTop(), bars[0]->GetLayout().Clamp(1000));
}

TEST_F(ScrollBars, DraggingAShortListReachesItsLastRowAndNeverPastIt) {
    lists[0].SetRange(8, 5, 0);  // range 3
    const int top = bars[0]->GetThumbTop();
    bars[0]->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, top + 5));
    for (int y = top + 20; y <= 220; y += 20)
        bars[0]->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, y));
    bars[0]->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 220));
    PumpUntilIdle(100);
    const auto& log = lists[0].recorder.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2].wParam, static_cast<WPARAM>(MAKEWPARAM(SB_THUMBTRACK, 3)));
    EXPECT_EQ(LOWORD(log.back().wParam), SB_ENDSCROLL);
    for (const RecordedMessage& m : log)
        EXPECT_LE(HIWORD(m.wParam), 3);
}

TEST_F(ScrollBars, TwoBarsSteppingTogetherEachFinishTheirOwnStep) {
    lists[0].SetRange(20, 5, 5);
    lists[1].SetRange(20, 5, 5);
    Click(*bars[0], 5, 8);
    Click(*bars[1], 5, 8);
    PumpUntilIdle(100);
    for (auto& list : lists)
        EXPECT_EQ(list.recorder.Compare(LineUpMessages()), "");
}

TEST(ScrollBarCreation, ABarWithoutPicturesOrRoomIsRefused) {
    WidgetHost host{{}, Black()};
    ASSERT_TRUE(host.Open(100, 100));
    ScrolledList list;
    ASSERT_TRUE(list.Open(&host, 0));
    CVScrollBar bare(12, &list);
    EXPECT_FALSE(bare.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 12, 80), &host));
    CBitmap thumb;
    {
        CClientDC screen(nullptr);
        thumb.CreateCompatibleBitmap(&screen, 12, 60);
    }
    ScrollBarBitmaps set;
    set.thumb = &thumb;
    CVScrollBar cramped(12, &list);
    cramped.SetThumbBitmap(set);
    EXPECT_FALSE(cramped.Create(L"", WS_CHILD | WS_VISIBLE, CRect(20, 0, 32, 50), &host));  // a 60-pixel thumb in 50
}

using WidgetTestPage = DistSkin;

TEST_F(WidgetTestPage, TheDefaultSkinsTestPageShowsEveryWidget) {
    {
        CGUIItems keyboard;
        ASSERT_TRUE(LoadXmlDescription(&keyboard, L"KeyboardLayout.xml", nullptr, false));
        TestPage page(L"WidgetTestPanel.xml");
        ASSERT_TRUE(page.Open());
        auto* key = dynamic_cast<CKeyboardKeyItem*>(page.GetItems().FindById(BUTTON_KB_ESC));
        auto* window = dynamic_cast<CBitmapWindow*>(page.GetItems().FindById(BITMAPWIN_ASSIGNKEY));
        auto* check = dynamic_cast<CBitmapBtn*>(page.GetItems().FindById(BUTTON_CHKBOX_SLCT_SHIFT));
        auto* cancel = dynamic_cast<CBitmapBtn*>(page.GetItems().FindById(BUTTON_POPUP_CANCEL));
        ASSERT_TRUE(key && window && check && cancel);
        ASSERT_NE(key->GetKeyEntry(), nullptr);
        EXPECT_EQ(key->GetScanCode(), 0x01);
        EXPECT_EQ(key->GetVirtualKey(), VK_ESCAPE);
        EXPECT_FALSE(key->GetKeyName().IsEmpty());
        key->SetCheckState(1);
        check->SetCheckState(1);
        cancel->EnableWindow(false);
        window->SetAssignmentType(1);
        window->SetTextBand(true);
        window->SetText(L"Single key: Ctrl + Shift + F12");
        PumpUntilIdle();
        EXPECT_TRUE(SaveWindowScreenshot(page, ArtifactPath(L"WidgetTestPanel.png")));
        page.DestroyWindow();
    }
}

}  // namespace

// The sliders, the level marker and the colour drop-down under Wine, built
// by the loader and worked with the real mouse and keyboard: what each
// tells its owner (a drag, a click on the track, a release on the marker;
// a palette click, arrows then Enter, Escape after moves, Tab to the
// colour dialog cancelled and confirmed), what the user sees meanwhile,
// and screenshots of the test panel and of an open palette.

#include "gui/core/GuiMessages.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CDMarker.h"
#include "gui/widgets/CDropdownColorButton.h"
#include "gui/widgets/CFOPopupColorPaletteWnd.h"
#include "gui/widgets/CSliderHMulti.h"
#include "gui/widgets/CSliderTrack.h"
#include "gui/widgets/CVertSlider.h"
#include "platform/CClientDC.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ModalScript.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBothParams = ExpectedMessage::WParam | ExpectedMessage::LParam;

const COLORREF kTrack = RGB(40, 40, 60), kFill = RGB(0, 255, 0), kThumb = RGB(200, 120, 20),
               kThumbOver = RGB(250, 180, 40), kMark = RGB(0, 0, 255);

// A horizontal slider of five positions over 200 pixels (one every 50),
// a vertical one of 32 over 186, a level marker of 0..10 over 100 and a
// colour drop-down.
const char kSliderSkin[] = R"(<ITEMLIST>
  <BITMAPLIST>
    <SLIDERTRACK name="BITMAP_BRIGHTNESS_SETTINGS"><SBMN>Track.bmp</SBMN>
      <FILLINFO fillclr="GREEN"><RECT left="10" top="14" right="220" bottom="4"/></FILLINFO>
      <RECT left="20" top="20" right="240" bottom="32"/></SLIDERTRACK>
    <SLIDERTRACK name="BITMAP_VERTICALBARLONG"><SBMN>Track.bmp</SBMN>
      <RECT left="300" top="20" right="32" bottom="200"/></SLIDERTRACK>
  </BITMAPLIST>
  <SLIDERLIST>
    <VSLIDER name="BITMAP_VBAR_MACROMSEC_VL" trackid="BITMAP_VERTICALBARLONG" ttpos="R" ttprefix="Delay ">
      <SBMN>Thumb.bmp</SBMN><SBMO>ThumbOver.bmp</SBMO><RECT left="4" top="7" right="24" bottom="186"/></VSLIDER>
    <HSLIDERM name="SLIDER_BRIGHTNESS_PERCENT" trackid="BITMAP_BRIGHTNESS_SETTINGS">
      <SBMN>Thumb.bmp</SBMN><SBMO>ThumbOver.bmp</SBMO><RECT left="20" top="2" right="200" bottom="28"/>
      <STAGES><STAGE ttpos="T" ttprefix="Level ">SLIDER_BRIGHTNESS_PERCENT_STAGE</STAGE></STAGES></HSLIDERM>
    <DMARKER name="BITMAP_HORIZONTALBARLONG"><SBMN>Track.bmp</SBMN><MARK>Mark.bmp</MARK>
      <RECT left="20" top="250" right="100" bottom="16"/></DMARKER>
  </SLIDERLIST>
  <LISTLIST>
    <COMBOCOLOR name="DROPDOWN_LOGO_COLOR" bdrclr="WHITE" backclr="BLACK" fontclr="WHITE" bdrwidth="1">
      <CLIST height="0"/><CBOX><RECT left="20" top="290" right="100" bottom="24"/></CBOX></COMBOCOLOR>
  </LISTLIST>
</ITEMLIST>)";

class Sliders : public SkinOnHost {
protected:
    Sliders()
        : SkinOnHost(L"gui-sliders",
                     {WM_SLIDER_VALUE_SET, WM_SLIDER_VALUE_CHANGING, WM_SLIDER_TRACK_CLICKED, WM_DMARKER_RELEASED,
                      WM_PALETTE_COLOUR_SELECTED, WM_PALETTE_DISMISSED, WM_GUI_VALUE_PICKED},
                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {}

    void SetUp() override {
        folder.WriteBmp(L"skins\\Track.bmp", 240, 200, [](int, int) { return kTrack; });
        folder.WriteBmp(L"skins\\Mark.bmp", 100, 16, [](int, int) { return kMark; });
        folder.WriteThumbBmp(L"skins\\Thumb.bmp", 12, 12, kThumb);
        folder.WriteThumbBmp(L"skins\\ThumbOver.bmp", 12, 12, kThumbOver);
        LoadOntoHost(L"Sliders.xml", kSliderSkin, 420, 340);
        slider = Item<CSliderHMulti>(SLIDER_BRIGHTNESS_PERCENT);
        track = Item<CSliderTrack>(BITMAP_BRIGHTNESS_SETTINGS);
        vertical = Item<CVertSlider>(BITMAP_VBAR_MACROMSEC_VL);
        marker = Item<CDMarker>(BITMAP_HORIZONTALBARLONG);
        colour = Item<CDropdownColorButton>(DROPDOWN_LOGO_COLOR);
        ASSERT_TRUE(slider && track && vertical && marker && colour);
        ASSERT_TRUE(slider->SetThumbRange(5));
        thumb = slider->GetThumb(0);
        thumb->SetValueInRange(1);
        PumpUntilIdle(100);
        host.recorder.Clear();
    }

    static COLORREF PixelOf(HWND window, int x, int y) { return ClientPixel(window, x, y); }
    static void MoveTo(HWND window, int x, int y) {
        MoveMouseTo(window, x, y);
        PumpUntilIdle(100);
    }
    static void Press(DWORD flag) {
        MouseButton(flag);
        PumpUntilIdle(100);
    }
    static void Key(WORD key) {
        SendKeys({{key, true}, {key, false}});
        PumpUntilIdle(100);
    }
    static ExpectedMessage Value(UINT message, int value, int id) { return {message, kBothParams, WPARAM(value), id}; }

    CSliderHMulti* slider = nullptr;
    CSliderTrack* track = nullptr;
    CPHSlider* thumb = nullptr;
    CVertSlider* vertical = nullptr;
    CDMarker* marker = nullptr;
    CDropdownColorButton* colour = nullptr;
};

TEST_F(Sliders, TheLoaderBuildsEachSliderOnItsTrack) {
    EXPECT_EQ(slider->m_itemType, kItemSliderHMulti);
    EXPECT_EQ(slider->m_itemWindow, track->GetSafeHwnd());
    EXPECT_EQ(track->m_itemType, kItemSliderTrack);
    EXPECT_TRUE(track->GetStyle() & WS_CLIPCHILDREN) << "the track never paints over its thumbs";
    EXPECT_TRUE(track->HasFill());
    EXPECT_EQ(track->GetThumb(), thumb);
    EXPECT_EQ(::GetParent(*thumb), track->GetSafeHwnd());
    EXPECT_EQ(::GetDlgCtrlID(*thumb), SLIDER_BRIGHTNESS_PERCENT_STAGE);
    CRect window;
    thumb->GetWindowRect(&window);
    EXPECT_EQ(window.Size(), CSize(12, 12)) << "a thumb is the size of its picture";
    EXPECT_EQ(vertical->m_itemType, kItemVertSlider);
    EXPECT_EQ(::GetParent(*vertical), Item<CSliderTrack>(BITMAP_VERTICALBARLONG)->GetSafeHwnd());
    EXPECT_EQ(marker->m_itemType, kItemDMarker);
    EXPECT_EQ(colour->m_itemType, kItemDropdownColour);
    EXPECT_TRUE(colour->HasArrow());
}

TEST_F(Sliders, ADragReportsEachNewValueAndTheLastOneWhenLetGo) {
    // Index i stands at x = 14 + 50 i in the track: the thumb's centre at 20 + 50 i.
    MoveTo(*track, 20, 10);
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(*track, 72, 10);
    MoveTo(*track, 118, 10);
    EXPECT_EQ(PixelOf(*thumb, 6, 6), kThumbOver) << "dragged: the over picture";
    Press(MOUSEEVENTF_LEFTUP);
    const int id = SLIDER_BRIGHTNESS_PERCENT_STAGE;
    EXPECT_EQ(host.recorder.Compare({Value(WM_SLIDER_VALUE_CHANGING, 2, id), Value(WM_SLIDER_VALUE_CHANGING, 3, id),
                                     Value(WM_SLIDER_VALUE_SET, 3, id)}),
              "");
    EXPECT_EQ(thumb->GetValue(), 3);
    EXPECT_FALSE(thumb->IsDragging());
}

TEST_F(Sliders, AClickOnTheTrackSendsTheThumbThereAndTheFillFollowsIt) {
    MoveTo(*track, 170, 28);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(host.recorder.Compare({{WM_SLIDER_TRACK_CLICKED, kBothParams, BITMAP_BRIGHTNESS_SETTINGS,
                                      MAKELPARAM(170, 28)},
                                     Value(WM_SLIDER_VALUE_SET, 4, SLIDER_BRIGHTNESS_PERCENT_STAGE)}),
              "");
    CRect at;
    thumb->GetWindowRect(&at);
    track->ScreenToClient(&at);
    EXPECT_EQ(at.left, 164);
    EXPECT_EQ(PixelOf(*track, 100, 16), kFill);
    EXPECT_EQ(PixelOf(*track, 200, 16), kTrack);
}

TEST_F(Sliders, AVerticalThumbCountsUpFromTheBottom) {
    auto* verticalTrack = Item<CSliderTrack>(BITMAP_VERTICALBARLONG);
    vertical->SetValueInRange(1);
    PumpUntilIdle(100);
    host.recorder.Clear();
    CRect at;
    vertical->GetWindowRect(&at);
    verticalTrack->ScreenToClient(&at);
    EXPECT_EQ(at.top, 187);  // the bottom of the travel, the thumb's centre on its edge
    // 6 pixels a step: up 60 pixels is ten steps.
    MoveTo(*verticalTrack, 10, 193);
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(*verticalTrack, 10, 133);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(host.recorder.Compare({Value(WM_SLIDER_VALUE_CHANGING, 11, BITMAP_VBAR_MACROMSEC_VL),
                                     Value(WM_SLIDER_VALUE_SET, 11, BITMAP_VBAR_MACROMSEC_VL)}),
              "");
    EXPECT_EQ(vertical->GetCaption(), CString(L"Delay 11"));
}

TEST_F(Sliders, TheMarkerReportsEveryReleaseOverItEvenWithoutAPressOnIt) {
    MoveTo(*marker, 55, 8);
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(*marker, 82, 8);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(PixelOf(*marker, 70, 8), kMark);
    EXPECT_EQ(PixelOf(*marker, 90, 8), kTrack);
    // Pressed on the host, let go over the marker.
    MoveTo(host, 300, 300);
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(*marker, 20, 8);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(host.recorder.Compare({Value(WM_DMARKER_RELEASED, 8, BITMAP_HORIZONTALBARLONG),
                                     Value(WM_DMARKER_RELEASED, 2, BITMAP_HORIZONTALBARLONG)}),
              "");
}

TEST_F(Sliders, NoThumbWithoutATrackAndATrackAndItsThumbMayGoInEitherOrder) {
    pugi::xml_document doc;
    doc.load_string(R"(<VSLIDER name="TEXT_COLOR"><SBMN>Thumb.bmp</SBMN><RECT right="12" bottom="10"/></VSLIDER>)");
    EXPECT_EQ(CVertSlider::CreateFromElement(doc.first_child(), &host, items), nullptr);
    CBitmap picture;
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(picture.CreateCompatibleBitmap(&screen, 12, 12));
    }
    CVertSlider stray;
    EXPECT_FALSE(stray.Create(&picture, nullptr, nullptr, nullptr, false, CRect(0, 4, 12, 80)));
    for (bool trackFirst : {true, false}) {
        auto ownTrack = std::make_unique<CSliderTrack>();
        ASSERT_TRUE(ownTrack->Create(CRect(0, 300, 100, 400), &host, TEXT_LOGO));
        auto ownThumb = std::make_unique<CVertSlider>();
        ownThumb->SetItemFields(TEXT_COLOR, kItemVertSlider, CGUIItem::kNoWindowYet, ownTrack.get());
        ASSERT_TRUE(ownThumb->Create(&picture, ownTrack.get(), nullptr, nullptr, false, CRect(0, 4, 12, 80)));
        ownTrack->SetThumb(ownThumb.get());
        if (trackFirst) {
            ownTrack.reset();
            EXPECT_EQ(ownThumb->GetTrack(), nullptr);
            ownThumb->SetValueInRange(20);  // tells nobody, and does not fail
            EXPECT_EQ(ownThumb->GetValue(), 20);
        } else {
            ownThumb.reset();
            EXPECT_EQ(ownTrack->GetThumb(), nullptr);
            ownTrack->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // a click with no thumb left
        }
    }
}

// The colour drop-down opened with the mouse, on a colour of the palette's
// fifth row (cell 24).
class Palette : public Sliders {
protected:
    static constexpr COLORREF kStart = 0x808080;

    void SetUp() override {
        Sliders::SetUp();
        colour->SetColour(kStart);
        MoveTo(*colour, 30, 12);
        Press(MOUSEEVENTF_LEFTDOWN);
        Press(MOUSEEVENTF_LEFTUP);
        palette = colour->GetPalette();
        ASSERT_NE(palette, nullptr);
        ASSERT_TRUE(WaitForFocusWithin(*palette));
        host.recorder.Clear();
    }
    void ClickCell(int cell) {
        const CPoint centre = palette->GetControl().GetCellRect(cell).CenterPoint();
        MoveTo(*palette, centre.x, centre.y);
        Press(MOUSEEVENTF_LEFTDOWN);
        Press(MOUSEEVENTF_LEFTUP);
    }
    static ExpectedMessage Preview(COLORREF c) { return {WM_PALETTE_COLOUR_SELECTED, kBothParams, kPalettePreview, LPARAM(c)}; }
    static ExpectedMessage Chosen(COLORREF c) { return {WM_PALETTE_COLOUR_SELECTED, kBothParams, 0, LPARAM(c)}; }
    static ExpectedMessage Picked(COLORREF c) { return {WM_GUI_VALUE_PICKED, kBothParams, WPARAM(c), DROPDOWN_LOGO_COLOR}; }
    static ExpectedMessage Dismissed(COLORREF c) { return {WM_PALETTE_DISMISSED, kBothParams, WPARAM(c), DROPDOWN_LOGO_COLOR}; }
    // The system's colour dialog of this thread while it is shown.
    static HWND ColourDialog() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM out) {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
                    *reinterpret_cast<HWND*>(out) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // Tab opens the colour dialog; the steps run once it is shown.
    void TabToDialog(std::vector<std::function<void()>> steps) {
        steps.insert(steps.begin(), ModalScript::WaitUntil([] { return ColourDialog() != nullptr; }));
        ModalScript script(std::move(steps));
        script.Run([] {
            Key(VK_TAB);
            return 0;
        });
        EXPECT_EQ(ColourDialog(), nullptr) << "the colour dialog was left open";
    }

    CFOPopupColorPaletteWnd* palette = nullptr;
};

TEST_F(Palette, ItOpensUnderTheButtonOnTheCurrentColourAndShowsIt) {
    CRect button, placed;
    colour->GetWindowRect(&button);
    palette->GetWindowRect(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(button.left, button.bottom));
    EXPECT_EQ(palette->GetControl().FindCell(kStart), 24);
    EXPECT_TRUE(colour->IsPaletteOpen());
    EXPECT_TRUE(WaitUntilDrawn(*palette));
    EXPECT_TRUE(SaveWindowScreenshot(*palette, ArtifactPath(L"ColourPalette.png")));
    const CPoint cell = palette->GetControl().GetCellRect(2).CenterPoint();
    EXPECT_EQ(PixelOf(*palette, cell.x, cell.y), 0xC0E0FFu);
}

TEST_F(Palette, AClickedCellIsToldOnceAndClosesThePalette) {
    ClickCell(2);
    EXPECT_EQ(host.recorder.Compare({Picked(0xC0E0FF), Chosen(0xC0E0FF)}), "");
    EXPECT_EQ(colour->GetColour(), 0xC0E0FFu);
    EXPECT_EQ(colour->GetPalette(), nullptr);
    EXPECT_EQ(PixelOf(*colour, 10, 12), 0xC0E0FFu);
}

TEST_F(Palette, TheColourItOpenedWithIsForwardedButNotPickedAgain) {
    ClickCell(24);
    EXPECT_EQ(host.recorder.Compare({Chosen(kStart)}), "");
}

TEST_F(Palette, ArrowsPreviewAndEnterPicksTheColourReached) {
    Key(VK_RIGHT);
    EXPECT_EQ(PixelOf(*colour, 10, 12), 0x0000C0u) << "a move shows in the box at once";
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_EQ(host.recorder.Compare({Preview(0x0000C0), Preview(0x0080FF), Picked(0x0080FF), Chosen(0x0080FF)}), "");
    EXPECT_EQ(colour->GetColour(), 0x0080FFu);
    EXPECT_TRUE(HasFocusWithin(host)) << "the keys must reach the window again";
}

TEST_F(Palette, EscapeKeepsTheColourReachedAndPicksItOnlyAfterMoves) {
    Key(VK_ESCAPE);
    EXPECT_EQ(host.recorder.Compare({Dismissed(kStart)}), "");
    EXPECT_EQ(colour->GetPalette(), nullptr);

    MoveTo(*colour, 30, 12);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    ASSERT_NE(colour->GetPalette(), nullptr);
    ASSERT_TRUE(WaitForFocusWithin(*colour->GetPalette()));
    host.recorder.Clear();
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_EQ(host.recorder.Compare({Preview(0x0000C0), Preview(0x000080), Picked(0x000080), Dismissed(0x000080)}),
              "");
    EXPECT_EQ(colour->GetColour(), 0x000080u);
}

TEST_F(Palette, TabClosesThePaletteBeforeTheColourDialogAndACancelPicksNothingNew) {
    bool paletteGone = false;
    TabToDialog({[&] {
                     paletteGone = ColourDialog() != nullptr && colour->GetPalette() == nullptr &&
                                   FindWindowW(nullptr, L"CFODropColorPaletteWnd") == nullptr;
                 },
                 [] { SendKeys({{VK_ESCAPE, true}, {VK_ESCAPE, false}}); }});
    EXPECT_TRUE(paletteGone);
    PumpUntilIdle(300);
    EXPECT_EQ(host.recorder.Compare({Dismissed(kStart)}), "");
    EXPECT_TRUE(HasFocusWithin(host));
    EXPECT_EQ(colour->GetColour(), kStart);
}

TEST_F(Palette, AColourConfirmedInTheDialogIsPickedOnce) {
    TabToDialog({[] {
                     HWND dialog = ColourDialog();
                     // Red, green and blue as the user types them.
                     SetDlgItemTextW(dialog, 706, L"10");
                     SetDlgItemTextW(dialog, 707, L"20");
                     SetDlgItemTextW(dialog, 708, L"30");
                 },
                 [] { SendKeys({{VK_RETURN, true}, {VK_RETURN, false}}); }});
    PumpUntilIdle(300);
    EXPECT_EQ(host.recorder.Compare({Picked(RGB(10, 20, 30)), Chosen(RGB(10, 20, 30))}), "");
    EXPECT_EQ(colour->GetColour(), static_cast<COLORREF>(RGB(10, 20, 30)));
}

// In a dialog, whose activation brings back only the focus it saved: the
// palette goes with the focus, and the dialog must have it again, or it
// answers no key.
TEST(PaletteInADialog, TheDialogHasTheFocusAgainWhenThePaletteCloses) {
    SkinTestFolder folder(L"gui-palette-dialog");
    ASSERT_TRUE(folder.WriteText(L"xml\\Colour.xml", R"(<ITEMLIST><LISTLIST>
      <COMBOCOLOR name="DROPDOWN_LOGO_COLOR" bdrclr="WHITE" bdrwidth="1"><CLIST/><CBOX>
      <RECT left="4" top="4" right="80" bottom="22"/></CBOX></COMBOCOLOR></LISTLIST></ITEMLIST>)"));
    TestPage page(L"Colour.xml");
    ASSERT_TRUE(page.Open());
    auto* colour = dynamic_cast<CDropdownColorButton*>(page.GetItems().FindById(DROPDOWN_LOGO_COLOR));
    ASSERT_NE(colour, nullptr);
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        MoveMouseTo(*colour, 20, 10);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        MouseButton(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return colour->GetPalette() != nullptr; }));
        ASSERT_TRUE(WaitForFocusWithin(*colour->GetPalette()));
        SendKeys({{key, true}, {key, false}});
        EXPECT_TRUE(PumpUntil([&] { return colour->GetPalette() == nullptr && HasFocusWithin(page); }))
            << "no focus in the dialog after key " << key;
    }
    page.DestroyWindow();
}

using SliderTestPage = DistSkin;

TEST_F(SliderTestPage, TheDefaultSkinsTestPageShowsAVerticalSliderAndALevelMarker) {
    TestPage page(L"SliderTestPanel.xml");
    ASSERT_TRUE(page.Open());
    auto* vertical = dynamic_cast<CVertSlider*>(page.GetItems().FindById(BITMAP_VBAR_MACROMSEC_VL));
    auto* track = dynamic_cast<CSliderTrack*>(page.GetItems().FindById(BITMAP_VERTICALBARLONG));
    auto* marker = dynamic_cast<CDMarker*>(page.GetItems().FindById(BITMAP_HORIZONTALBARLONG));
    ASSERT_TRUE(vertical && track && marker);
    EXPECT_TRUE(track->HasFill());
    vertical->SetValueInRange(20);
    marker->SetValue(6);
    ASSERT_TRUE(WaitUntilDrawn(page));
    CRect thumb;
    vertical->GetWindowRect(&thumb);
    track->ScreenToClient(&thumb);
    EXPECT_EQ(track->GetFillArea().top, thumb.bottom) << "the fill runs from the thumb down";
    EXPECT_TRUE(SaveWindowScreenshot(page, ArtifactPath(L"SliderTestPanel.png")));
    page.DestroyWindow();
}

}  // namespace

// The stage widgets under Wine, built by the loader and worked with the real
// mouse: the APM slider on its bitmap item tells its owner, once, which
// band a click hit and what a dragged ticker reached, and draws each stage
// in its colour; a DPI tile tells its parent its stage number once and
// takes the focus; the progress panel is no window.  Then the shipped test
// panel, on screen.

#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CAPMSlider.h"
#include "gui/widgets/CBitmapItem.h"
#include "gui/widgets/CDPIStageWindow.h"
#include "gui/widgets/CProgressPanelItem.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kBothParams = ExpectedMessage::WParam | ExpectedMessage::LParam;

const COLORREF kWell = RGB(40, 40, 40), kTicker = RGB(200, 120, 20), kTickerOver = RGB(250, 180, 40),
               kHostBack = RGB(90, 90, 120);
// One colour a stage, so the bands tell apart on the screen.
const COLORREF kStageColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
// The slider's tickers, as its owner names them.
const int kTickerIds[] = {BITMAP_VBAR_MACROMSEC_VL, BITMAP_VBAR_MACROMSEC_VR, BITMAP_KB_ESC};

// A band of 310 by 28 on a bitmap item (built disabled, as the skin does
// not say 'moveable'), two DPI tiles (one of an empty rectangle is left
// out) and a progress panel.
const char kStageSkin[] = R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13"/></FONTLIST>
  <BITMAPLIST>
    <BITMAPITEM name="BITMAP_BACKGROUND_RECT"><SBMN>Well.bmp</SBMN><RECT left="20" top="20" right="340" bottom="48"/></BITMAPITEM>
  </BITMAPLIST>
  <SLIDERLIST>
    <HSLIDERMAPM name="BITMAP_HORIZONTALBARLONG" trackid="BITMAP_BACKGROUND_RECT" tooltip="Stages">
      <SBMN>Ticker.bmp</SBMN><SBMO>TickerOver.bmp</SBMO><RECT left="10" top="10" right="310" bottom="28"/>
    </HSLIDERMAPM>
  </SLIDERLIST>
  <DPISTAGELIST>
    <DPISTAGEWINDOW name="BITMAP_VBAR_MACROMSEC_HT" fontid="FONT_ARIAL12" tooltip="First\nstage">
      <BMPINFO name="dpiframe"><BMPDATA>Frame.bmp</BMPDATA><BMPMASK>Frame.bmp</BMPMASK><RECT right="60" bottom="40"/></BMPINFO>
      <BMPINFO name="DPIFrameSelected"><BMPDATA>Frame.bmp</BMPDATA><RECT left="2" top="2" right="20" bottom="10"/></BMPINFO>
      <BMPINFO name="DPIWINZ"><BMPDATA>Frame.bmp</BMPDATA><RECT right="5" bottom="5"/></BMPINFO>
      <TEXTAREA name="Heading" textkey="Stage\none\ntwo"><RECT left="4" top="2" right="50" bottom="12"/></TEXTAREA>
      <TEXTAREA name="dpix" textkey="800"><RECT left="4" top="20" right="20" bottom="12"/></TEXTAREA>
      <RECT left="20" top="100" right="80" bottom="60"/>
    </DPISTAGEWINDOW>
    <DPISTAGEWINDOW name="BITMAP_VBAR_MACROMSEC_HB"><RECT left="120" top="100" right="80" bottom="60"/></DPISTAGEWINDOW>
    <DPISTAGEWINDOW name="TEXT_LOGO"><RECT left="220" top="100" right="0" bottom="60"/></DPISTAGEWINDOW>
  </DPISTAGELIST>
  <PROGRESSPANELLIST>
    <PROGRESSPANELITEM name="BITMAP_BACKGROUND_RECTMACRO"><RECT left="220" top="100" right="100" bottom="60"/></PROGRESSPANELITEM>
  </PROGRESSPANELLIST>
</ITEMLIST>)";

// A colour as it shows through the background laid over it at alpha 50.
COLORREF Blended(COLORREF stage, COLORREF background) {
    auto mix = [](int s, int b) { return (s * 205 + b * 50) / 255; };
    return RGB(mix(GetRValue(stage), GetRValue(background)), mix(GetGValue(stage), GetGValue(background)),
               mix(GetBValue(stage), GetBValue(background)));
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

class StageWidgets : public SkinOnHost {
protected:
    StageWidgets()
        : SkinOnHost(L"gui-stages",
                     {WM_APMSLIDER_STAGE_CLICKED, WM_DPISTAGE_CLICKED, WM_SLIDER_VALUE_SET, WM_SLIDER_VALUE_CHANGING,
                      WM_COMMAND},
                     HostBrush()) {}

    static HBRUSH HostBrush() {
        static HBRUSH brush = CreateSolidBrush(kHostBack);
        return brush;
    }

    void SetUp() override {
        folder.WriteBmp(L"skins\\Well.bmp", 340, 48, [](int, int) { return kWell; });
        folder.WriteBmp(L"skins\\Frame.bmp", 60, 40, [](int, int) { return RGB(0, 128, 128); });
        folder.WriteThumbBmp(L"skins\\Ticker.bmp", 10, 20, kTicker);
        folder.WriteThumbBmp(L"skins\\TickerOver.bmp", 10, 20, kTickerOver);
        LoadOntoHost(L"Stages.xml", kStageSkin, 380, 200);
        slider = Item<CAPMSlider>(BITMAP_HORIZONTALBARLONG);
        carrier = Item<CBitmapItem>(BITMAP_BACKGROUND_RECT);
        first = Item<CDPIStageWindow>(BITMAP_VBAR_MACROMSEC_HT);
        second = Item<CDPIStageWindow>(BITMAP_VBAR_MACROMSEC_HB);
        ASSERT_TRUE(slider && carrier && first && second);
        carrierRecorder.Attach(*carrier);
    }
    // Three tickers at 8, 15 and 22 over 1..32: 300 pixels of travel for
    // their centres, so the bands end at x 73, 140 and 208.
    void ThreeStages() {
        for (int id : kTickerIds)
            ASSERT_NE(slider->AddTicker(id), nullptr);
        slider->SetDefaultStages();
        for (size_t s = 0; s < 4; ++s)
            ASSERT_TRUE(slider->SetStageColour(s, kStageColours[s]));
        PumpUntilIdle(100);
        host.recorder.Clear();
    }

    static void ClickAt(HWND window, int x, int y) {
        MoveMouseTo(window, x, y);
        PumpUntilIdle(50);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        PumpUntilIdle(50);
        MouseButton(MOUSEEVENTF_LEFTUP);
        PumpUntilIdle(100);
    }
    static void MoveTo(HWND window, int x, int y) {
        MoveMouseTo(window, x, y);
        PumpUntilIdle(100);
    }
    static ExpectedMessage Stage(int stage) {
        return {WM_APMSLIDER_STAGE_CLICKED, kBothParams, WPARAM(stage), BITMAP_HORIZONTALBARLONG};
    }
    static ExpectedMessage Reached(int value) {
        return {WM_SLIDER_VALUE_CHANGING, kBothParams, WPARAM(value), kTickerIds[0]};
    }
    static ExpectedMessage Picked(int number, int id) { return {WM_DPISTAGE_CLICKED, kBothParams, WPARAM(number), id}; }

    MessageRecorder carrierRecorder{{WM_APMSLIDER_STAGE_CLICKED, WM_SLIDER_VALUE_SET, WM_SLIDER_VALUE_CHANGING}};
    CAPMSlider* slider = nullptr;
    CBitmapItem* carrier = nullptr;
    CDPIStageWindow* first = nullptr;
    CDPIStageWindow* second = nullptr;
};

TEST_F(StageWidgets, TheLoaderBuildsEachWidgetWhereItsElementSays) {
    EXPECT_EQ(slider->m_itemType, kItemApmSlider);
    EXPECT_EQ(slider->m_itemWindow, slider->GetSafeHwnd());
    EXPECT_EQ(::GetParent(*slider), carrier->GetSafeHwnd());
    EXPECT_EQ(slider->GetOwner(), &host) << "the page hears the slider";
    EXPECT_TRUE(carrier->IsWindowEnabled()) << "a disabled bitmap item would keep every click from the band";
    EXPECT_EQ(slider->GetTooltipText(), CString(L"Stages"));
    EXPECT_EQ(slider->GetTickerCount(), 0u);
    CRect band;
    slider->GetWindowRect(&band);
    carrier->ScreenToClient(&band);
    EXPECT_EQ(band, CRect(10, 10, 320, 38));

    EXPECT_EQ(first->m_itemType, kItemDpiStageWindow);
    EXPECT_EQ(::GetParent(*first), host.GetSafeHwnd());
    EXPECT_EQ(items.FindById(TEXT_LOGO), nullptr) << "a tile of an empty rectangle";
    EXPECT_EQ(BitmapSize(&first->GetPicture(CDPIStageWindow::kFrame).picture), CSize(60, 40));
    EXPECT_EQ(BitmapSize(&first->GetPicture(CDPIStageWindow::kFrame).mask), CSize(60, 40));
    EXPECT_EQ(BitmapSize(&first->GetPicture(CDPIStageWindow::kFrameSelected).picture), CSize(20, 10));
    EXPECT_EQ(first->GetPicture(CDPIStageWindow::kWin).picture.GetSafeHandle(), nullptr) << "DPIWINZ fills no slot";
    EXPECT_EQ(first->GetTextArea(CDPIStageWindow::kHeading).text, CString(L"Stage\r\none\\ntwo"));
    EXPECT_EQ(first->GetTextArea(CDPIStageWindow::kValueX).text, CString(L"800"));
    EXPECT_EQ(first->GetTextArea(CDPIStageWindow::kValueX).rect, CRect(4, 20, 24, 32));
    EXPECT_EQ(first->GetTextArea(CDPIStageWindow::kValueY).text, CString(L"0"));
    EXPECT_NE(first->GetFont(), nullptr);

    auto* progress = Item<CProgressPanelItem>(BITMAP_BACKGROUND_RECTMACRO);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->m_itemWindow, nullptr);
    for (HWND window : {slider->GetSafeHwnd(), carrier->GetSafeHwnd(), first->GetSafeHwnd(), host.GetSafeHwnd()})
        EXPECT_NE(items.FindByWindow(window), progress);
}

TEST_F(StageWidgets, AClickInEachBandTellsTheOwnerItsStageOnce) {
    ThreeStages();
    for (int x : {36, 106, 174, 259})
        ClickAt(*slider, x, 14);
    const std::vector<ExpectedMessage> eachStageOnce = {Stage(0), Stage(1), Stage(2), Stage(3)};
    EXPECT_EQ(host.recorder.Compare(eachStageOnce), "");
    EXPECT_EQ(carrierRecorder.Log().size(), 0u) << "the bitmap item it sits on hears nothing";
}

TEST_F(StageWidgets, WithoutTickersTheBandIsOneStage) {
    for (int x : {5, 300})
        ClickAt(*slider, x, 14);
    EXPECT_EQ(host.recorder.Compare({Stage(0), Stage(0)}), "");
    EXPECT_TRUE(Near(ClientPixel(*slider, 150, 14), Blended(0, kWell)));
}

TEST_F(StageWidgets, EachStageShowsItsColourUnderTheBackground) {
    ThreeStages();
    ASSERT_TRUE(WaitUntilDrawn(host));
    const int middles[] = {36, 106, 174, 259};
    for (size_t s = 0; s < 4; ++s)
        EXPECT_TRUE(Near(ClientPixel(*slider, middles[s], 2), Blended(kStageColours[s], kWell)))
            << "stage " << s << " shows " << std::hex << ClientPixel(*slider, middles[s], 2);
    // A ticker's centre stands on its border.
    CRect ticker;
    slider->GetTicker(1)->GetWindowRect(&ticker);
    slider->ScreenToClient(&ticker);
    EXPECT_EQ(ticker.CenterPoint().x, slider->GetStageBorders()[1]);
    EXPECT_EQ(ClientPixel(*slider, ticker.CenterPoint().x, 14), kTicker);
}

TEST_F(StageWidgets, ADraggedTickerMovesItsBorderAndTheOwnerHearsEachValueOnce) {
    ThreeStages();
    // The first ticker's centre stands at 72 (value 8), a step is 300 / 31 pixels.
    MoveTo(*slider, 72, 14);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpUntilIdle(50);
    MoveTo(*slider, 82, 14);
    MoveTo(*slider, 92, 14);
    EXPECT_EQ(ClientPixel(*slider->GetTicker(0), 5, 10), kTickerOver) << "dragged: the over picture";
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntilIdle(100);
    // Let go, the last value is told as it was reached.
    const std::vector<ExpectedMessage> eachValueThenLetGo = {Reached(9), Reached(10), Reached(10)};
    EXPECT_EQ(host.recorder.Compare(eachValueThenLetGo), "");
    EXPECT_EQ(carrierRecorder.Log().size(), 0u);
    EXPECT_EQ(slider->GetTicker(0)->GetValue(), 10);
    EXPECT_EQ(slider->GetStageBorders()[0], 92);
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_TRUE(Near(ClientPixel(*slider, 80, 2), Blended(kStageColours[0], kWell))) << "stage 0 grew under it";
    host.recorder.Clear();
    ClickAt(*slider, 80, 14);
    EXPECT_EQ(host.recorder.Compare({Stage(0)}), "");
}

TEST_F(StageWidgets, ATileTellsItsStageNumberOnceAndTakesTheFocus) {
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_EQ(ClientPixel(*first, 30, 30), RGB(0, 0, 0)) << "a tile shows its black background only";
    first->SetStageNumber(3);
    ClickAt(*first, 30, 30);
    EXPECT_EQ(GetFocus(), first->GetSafeHwnd());
    ClickAt(*first, 30, 30);
    EXPECT_TRUE(first->IsSelected());
    ClickAt(*second, 30, 30);
    // No click notice of the static control: only the tiles' own message,
    // once a tile.
    const std::vector<ExpectedMessage> eachTileOnce = {Picked(3, BITMAP_VBAR_MACROMSEC_HT),
                                                       Picked(0, BITMAP_VBAR_MACROMSEC_HB)};
    EXPECT_EQ(host.recorder.Compare(eachTileOnce), "");
    EXPECT_EQ(GetFocus(), second->GetSafeHwnd());
    EXPECT_EQ(second->GetPreviousFocus(), first->GetSafeHwnd());
}

using StageTestPage = DistSkin;

TEST_F(StageTestPage, TheDefaultSkinsTestPageShowsTheStageSliderAndTwoTiles) {
    TestPage page(L"StageTestPanel.xml");
    ASSERT_TRUE(page.Open());
    const CGUIItems& items = page.GetItems();
    auto* slider = dynamic_cast<CAPMSlider*>(items.FindById(BITMAP_HORIZONTALBARLONG));
    auto* progress = dynamic_cast<CProgressPanelItem*>(items.FindById(BITMAP_BACKGROUND_RECTMACRO));
    ASSERT_TRUE(slider && progress);
    EXPECT_NE(items.FindById(BITMAP_VBAR_MACROMSEC_HT), nullptr);
    EXPECT_NE(items.FindById(BITMAP_VBAR_MACROMSEC_HB), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(::GetParent(*slider)));
    EXPECT_EQ(slider->GetOwner(), &page);
    for (int id : kTickerIds)
        ASSERT_NE(slider->AddTicker(id), nullptr);
    slider->SetDefaultStages();
    const COLORREF stages[] = {RGB(0, 96, 96), RGB(0, 160, 120), RGB(40, 200, 80), RGB(120, 230, 40)};
    for (size_t s = 0; s < 4; ++s)
        slider->SetStageColour(s, stages[s]);
    ASSERT_TRUE(WaitUntilDrawn(page));
    EXPECT_TRUE(SaveWindowScreenshot(page, ArtifactPath(L"StageTestPanel.png")));
    page.DestroyWindow();
}

}  // namespace

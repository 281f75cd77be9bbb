// The key window (a bitmap window) as the user reads it: the icon of what a
// key does and its text side by side, apart, whatever the text begins with;
// and a key shown in it with its legend, as a button gives its look.

#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/SymbolIds.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const COLORREF kFrame = RGB(20, 60, 90), kIcon = RGB(0, 200, 0);

const char kInfoSkin[] = R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13" boldlevel="700"/></FONTLIST>
  <BITMAPLIST>
    <BITMAPWINDOW name="BITMAPWIN_ASSIGNKEY" justify="C" fontid="FONT_ARIAL12" fontclr="WHITE">
      <SBMN>Frame.bmp</SBMN><SBMDS>Inner.bmp</SBMDS>
      <RECT left="0" top="0" right="200" bottom="120"/>
      <BITMAPITEM assntype="5" SBMN="Icon.bmp"/>
    </BITMAPWINDOW>
  </BITMAPLIST>
  <BUTTONLIST>
    <BUTTON name="BUTTON_POPUP_OK" justify="C" fontid="FONT_ARIAL12" caption="F1">
      <SBMN fontclr="WHITE">Frame.bmp</SBMN>
      <RECT left="220" top="0" right="40" bottom="40"/>
    </BUTTON>
  </BUTTONLIST>
</ITEMLIST>)";

bool IsText(uint32_t rgb) { return (rgb >> 16 & 0xFF) > 140 && (rgb >> 8 & 0xFF) > 140 && (rgb & 0xFF) > 140; }
bool IsIcon(uint32_t rgb) { return rgb == 0x00C800; }

class InfoWindow : public SkinOnHost {
protected:
    InfoWindow() : SkinOnHost(L"gui-info-window", {}, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {}
    void SetUp() override {
        folder.WriteBmp(L"skins\\Frame.bmp", 200, 120, [](int, int) { return kFrame; });
        // 10 pixels smaller each way: the inner area is the client area less 10 on each side.
        folder.WriteBmp(L"skins\\Inner.bmp", 190, 110, [](int, int) { return RGB(0, 0, 0); });
        folder.WriteBmp(L"skins\\Icon.bmp", 20, 12, [](int, int) { return kIcon; });
        LoadOntoHost(L"Info.xml", kInfoSkin, 300, 140);
        window = Item<CBitmapWindow>(BITMAPWIN_ASSIGNKEY);
        ASSERT_NE(window, nullptr);
        window->SetTextBand(true);
    }

    // The window's pixels (0x00RRGGBB) as the screen shows them, once painted.
    std::vector<uint32_t> Shown(RECT& r) {
        window->Invalidate(false);
        window->UpdateWindow();
        PumpUntilIdle(100, 1000);
        window->GetWindowRect(&r);
        return ScreenPixels(r);
    }

    CBitmapWindow* window = nullptr;
};

TEST_F(InfoWindow, TheIconKeepsTheSameGapToEveryKindOfText) {
    // A key's own legend and a key stroke start at once; a macro's or a
    // program's name starts with a blank.
    const wchar_t* captions[] = {L"F1", L"Shift+A", L" Combo", L"  notes.exe"};
    window->SetAssignmentType(5);
    std::vector<int> gaps;
    for (const wchar_t* caption : captions) {
        SCOPED_TRACE(testing::Message() << "caption \"" << CString(caption).GetString() << "\"");
        window->SetText(caption);
        RECT r;
        const std::vector<uint32_t> pixels = Shown(r);
        const int width = r.right - r.left;
        const CRect inner = window->GetInnerArea();
        int iconRight = -1, textLeft = -1;
        for (int y = inner.bottom - CBitmapWindow::kCaptionBand + 2; y < inner.bottom; ++y)
            for (int x = inner.left; x < inner.right; ++x) {
                const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
                if (IsIcon(p))
                    iconRight = std::max(iconRight, x);
            }
        ASSERT_GE(iconRight, 0) << "no icon in the caption band";
        for (int y = inner.bottom - CBitmapWindow::kCaptionBand + 2; y < inner.bottom; ++y)
            for (int x = iconRight + 1; x < inner.right; ++x)
                if (IsText(pixels[size_t(y) * size_t(width) + size_t(x)]) && (textLeft < 0 || x < textLeft))
                    textLeft = x;
        ASSERT_GE(textLeft, 0) << "no text beside the icon";
        const int gap = textLeft - iconRight - 1;
        EXPECT_GE(gap, CBitmapWindow::kIconGap - 1) << "the text touches the icon";
        gaps.push_back(gap);
    }
    for (size_t i = 1; i < gaps.size(); ++i)
        EXPECT_LE(std::abs(gaps[i] - gaps[0]), 2) << "gaps differ by kind of text: " << gaps[0] << " and " << gaps[i];
}

TEST_F(InfoWindow, ABlankCaptionReadsAsTheNameOfTheIconsKind) {
    // A disabled key's text is a blank: the icon alone would be all it shows.
    const std::wstring texts = L"English\r1\rAssignKind5\rDisabled\r";
    CLangTable language;
    ASSERT_TRUE(language.Parse(texts.data(), texts.size() * sizeof(wchar_t)));
    window->SetAssignmentType(5);
    window->SetText(L" ");
    auto textPixels = [&] {
        RECT r;
        const std::vector<uint32_t> pixels = Shown(r);
        const int width = r.right - r.left;
        const CRect inner = window->GetInnerArea();
        int count = 0;
        for (int y = inner.bottom - CBitmapWindow::kCaptionBand + 2; y < inner.bottom; ++y)
            for (int x = inner.left; x < inner.right; ++x)
                count += IsText(pixels[size_t(y) * size_t(width) + size_t(x)]);
        return count;
    };
    EXPECT_EQ(textPixels(), 0) << "a language without the name: the icon alone";
    CLangTable::SetCurrent(&language);
    const int named = textPixels();
    CLangTable::SetCurrent(nullptr);
    EXPECT_GT(named, 20) << "the blank caption does not say what the key does";
}

TEST_F(InfoWindow, AKeyShownByItsLookCarriesItsLegend) {
    auto* key = Item<CBitmapBtn>(BUTTON_POPUP_OK);
    ASSERT_NE(key, nullptr);
    CBitmap look;
    ASSERT_TRUE(key->RenderLook(CBitmapBtn::kNormal, look));
    const PictureRecord record{&look, nullptr, RECT{0, 0, 40, 40}};
    window->SetExtraPicture(&record);
    window->SetText(L"");
    RECT r;
    const std::vector<uint32_t> pixels = Shown(r);
    const int width = r.right - r.left;
    const CRect inner = window->GetInnerArea();
    int legend = 0, cap = 0;
    for (int y = inner.top; y < inner.bottom - CBitmapWindow::kCaptionBand - 1; ++y)
        for (int x = inner.left; x < inner.right; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            legend += IsText(p);
            cap += p == ((GetRValue(kFrame) << 16) | (GetGValue(kFrame) << 8) | GetBValue(kFrame));
        }
    EXPECT_GT(cap, 200) << "the key's cap is not shown";
    EXPECT_GT(legend, 10) << "the key is shown without its legend";
    window->SetExtraPicture(nullptr);
}

}  // namespace

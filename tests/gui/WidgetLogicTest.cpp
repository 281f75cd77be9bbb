// The widgets' rules that need no window: skin text markers and language
// lookup, text colours, which picture each state shows, key strokes,
// caption shortening and the scroll bar's arithmetic.

#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/widgets/CKeyboardKeyItem.h"
#include "gui/skin/CLangTable.h"
#include "gui/widgets/CTextItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/KeyStroke.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Utf8(const CString& text) { return text.ToUtf8(); }

// A current language table for the duration of a test.
class CurrentLanguage {
public:
    explicit CurrentLanguage(const std::wstring& text) {
        m_table.Parse(text.data(), text.size() * sizeof(wchar_t));
        CLangTable::SetCurrent(&m_table);
    }
    ~CurrentLanguage() { CLangTable::SetCurrent(nullptr); }

private:
    CLangTable m_table;
};

const wchar_t kLanguage[] = L"English\rnotes\rprofile\rProfile\\none\\ntwo\rapply\rApply\r";

TEST(SkinTexts, OnlyTheFirstMarkerBreaksTheLineWhileTooltipsReplaceEveryOne) {
    CString label = L"one\\ntwo\\nthree";
    EXPECT_TRUE(BreakFirstNewlineMarker(label));
    EXPECT_EQ(label, CString(L"one\r\ntwo\\nthree"));
    CString tip = L"one\\ntwo\\nthree";
    EXPECT_EQ(ReplaceNewlineMarker(tip), 2);
    EXPECT_EQ(tip, CString(L"one two three"));
    CString plain = L"back\\slash n";
    EXPECT_FALSE(BreakFirstNewlineMarker(plain));
    EXPECT_EQ(ReplaceNewlineMarker(plain), 0);
}

TEST(SkinTexts, ALabelAppliesItsCaseOnlyToATranslatedText) {
    CurrentLanguage language(kLanguage);
    struct Case {
        const wchar_t* text;
        int caps;
        const wchar_t* shown;
    } cases[] = {
        {L"$apply", kCaseUpper, L"APPLY"},
        {L"$APPLY", kCaseLower, L"apply"},
        {L"$unknown", kCaseUpper, L"$unknown"},  // no match: as written, not upper-cased
        {L"plain", kCaseUpper, L"plain"},
        {L"$profile", kCaseUnchanged, L"Profile\r\none\\ntwo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.text).ToUtf8());
        EXPECT_EQ(Utf8(CTextItem(c.text, c.caps).GetText()), Utf8(c.shown));
    }
}

TEST(SkinTexts, AButtonCaptionTakesItsCaseWhetherOrNotTranslated) {
    CurrentLanguage language(kLanguage);
    CBitmapBtn button;
    button.SetCaption(L"$unknown", kCaseUpper);
    EXPECT_EQ(Utf8(button.GetCaption()), "$UNKNOWN");
    button.SetCaption(L"$apply", kCaseLower);
    EXPECT_EQ(Utf8(button.GetCaption()), "apply");
    button.SetCaption(L"a\\nb\\nc", kCaseUnchanged);
    EXPECT_EQ(Utf8(button.GetCaption()), "a\r\nb\\nc");
}

TEST(TextColours, UnsetColoursAreDrawnNearWhiteAndStatesPickTheirOwnWhenSet) {
    const COLORREF text = RGB(1, 2, 3), hover = RGB(4, 5, 6), disabled = RGB(7, 8, 9);
    struct Case {
        bool disabled, hover;
        COLORREF text, hover_, disabled_, expected;
    } cases[] = {
        {false, false, text, hover, disabled, text},
        {false, true, text, hover, disabled, hover},
        {true, true, text, hover, disabled, disabled},
        {true, false, text, hover, 0, text},      // no disabled colour: the text colour
        {false, true, text, 0, disabled, text},   // no hover colour: the text colour
        {false, false, 0, hover, disabled, 0xFEFEFE},
        {true, true, 0, 0, 0, 0xFEFEFE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTextItem::ChooseColour(c.disabled, c.hover, c.text, c.hover_, c.disabled_), c.expected);
}

TEST(DrawFormats, JustifyAndMultilineGiveEachWidgetsFlags) {
    EXPECT_EQ(CTextItem::FormatFor(L'L', false), 0u);
    EXPECT_EQ(CTextItem::FormatFor(L'L', true), 0x10u);
    EXPECT_EQ(CTextItem::FormatFor(L'R', true), 0x12u);
    EXPECT_EQ(CTextItem::FormatFor(L'R', false), 0x26u);
    EXPECT_EQ(CTextItem::FormatFor(L'C', true), 0x11u);
    EXPECT_EQ(CTextItem::FormatFor(L'C', false), 0x25u);

    EXPECT_EQ(CBitmapBtn::CaptionFormatFor(L'L', false), 0x12000u | 0x34u);
    EXPECT_EQ(CBitmapBtn::CaptionFormatFor(L'C', true), 0x12000u | DT_CENTER | DT_WORDBREAK);
    EXPECT_EQ(CBitmapBtn::CaptionFormatFor(L'R', true, DT_WORDBREAK | DT_VCENTER), 0x12000u | DT_RIGHT | 0x14u);
    EXPECT_EQ(CBitmapBtn::StyleFor(L'C'), 0x10002C0Bu | BS_CENTER);

    EXPECT_EQ(CBitmapWindow::FormatFor(L'L', false), 0x24u);
    EXPECT_EQ(CBitmapWindow::FormatFor(L'C', true), static_cast<UINT>(DT_CENTER | DT_WORDBREAK));
}

TEST(ButtonStates, APlainButtonAndACheckBoxChooseTheirPictures) {
    using B = CBitmapBtn;
    struct Case {
        bool checkBox, checked, disabled, pressed, hover;
        B::Picture expected;
    } cases[] = {
        {false, false, false, false, false, B::kNormal},
        {false, false, false, false, true, B::kOver},
        {false, false, false, true, true, B::kDown},
        {false, true, false, false, false, B::kDown},
        {false, true, true, true, true, B::kDisabled},   // disabled wins on a plain button
        {true, false, false, true, false, B::kNormal},   // pressing alone is not down
        {true, false, false, true, true, B::kOver},
        {true, true, true, false, false, B::kDown},      // checked wins on a check box
        {true, false, true, false, true, B::kDisabled},
    };
    for (const Case& c : cases)
        EXPECT_EQ(B::ChoosePicture(c.checkBox, c.checked, c.disabled, c.pressed, c.hover), c.expected)
            << c.checkBox << c.checked << c.disabled << c.pressed << c.hover;

    const COLORREF colours[4] = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), 0};
    EXPECT_EQ(B::ChooseCaptionColour(colours, false, false, false, false), RGB(1, 1, 1));
    EXPECT_EQ(B::ChooseCaptionColour(colours, false, false, true, true), RGB(2, 2, 2));
    EXPECT_EQ(B::ChooseCaptionColour(colours, false, true, true, false), RGB(3, 3, 3));
    EXPECT_EQ(B::ChooseCaptionColour(colours, false, false, false, true), 0xFEFEFEu);  // unset disabled colour
}

TEST(ButtonStates, AKeyShowsOverOnlyWhileEnabledAndHoveredOrHighlighted) {
    using K = CKeyboardKeyItem;
    EXPECT_EQ(K::ChooseKeyPicture(false, false, false, false), K::kNormal);
    EXPECT_EQ(K::ChooseKeyPicture(false, false, false, true), K::kDown);
    EXPECT_EQ(K::ChooseKeyPicture(false, true, false, true), K::kOver);
    EXPECT_EQ(K::ChooseKeyPicture(false, false, true, false), K::kOver);
    EXPECT_EQ(K::ChooseKeyPicture(true, true, true, true), K::kDown);
}

TEST(ButtonStates, ABitmapWindowShowsSelectedThenHighlightThenNormalWhereTheSkinHasThem) {
    using W = CBitmapWindow;
    EXPECT_EQ(W::ChoosePicture(true, false, false, false, true, true, true), W::kSelected);
    EXPECT_EQ(W::ChoosePicture(false, true, false, false, true, true, true), W::kSelected);  // locked
    EXPECT_EQ(W::ChoosePicture(true, false, true, false, false, true, true), W::kNormal);   // selected, no picture
    EXPECT_EQ(W::ChoosePicture(false, false, true, false, true, true, true), W::kHighlight);
    EXPECT_EQ(W::ChoosePicture(false, false, false, true, true, true, true), W::kHighlight);  // a caption
    EXPECT_EQ(W::ChoosePicture(false, false, false, false, true, true, false), W::kNone);
}

TEST(KeyStrokes, SidesAreResolvedFromScanCodeAndExtendedFlag) {
    struct Case {
        uint32_t vk, scan;
        bool extended;
        uint32_t expected;
    } cases[] = {
        {VK_CONTROL, 0x1D, false, VK_LCONTROL}, {VK_CONTROL, 0x1D, true, VK_RCONTROL},
        {VK_MENU, 0x38, false, VK_LMENU},       {VK_MENU, 0x38, true, VK_RMENU},
        {VK_SHIFT, 0x2A, false, VK_LSHIFT},     {VK_SHIFT, 0x36, false, VK_RSHIFT},
        {VK_RETURN, 0x1C, true, 108},           {VK_RETURN, 0x1C, false, VK_RETURN},
        {'A', 0x1E, false, 'A'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyStroke::ResolveSide(c.vk, c.scan, c.extended), c.expected) << c.vk;
}

TEST(KeyStrokes, NoKeyForACharacterAddsNoShiftState) {
    EXPECT_EQ(KeyStroke::ShiftStateFlags(-1), 0);
    EXPECT_EQ(KeyStroke::ShiftStateFlags(0x0141), KeyStroke::kShift);
    EXPECT_EQ(KeyStroke::ShiftStateFlags(0x0641), KeyStroke::kControl | KeyStroke::kContext);
    EXPECT_EQ(KeyStroke::KeyNameParam(VK_NUMLOCK, 0x45, false), static_cast<LPARAM>(0x45 << 16 | 0x1000000));
    EXPECT_EQ(KeyStroke::KeyNameParam('A', 0x1E, false), static_cast<LPARAM>(0x1E << 16));
}

TEST(KeyStrokes, KeyMessagesGiveDirectionAndFlagsAndAutoRepeatsAreNotUsed) {
    KeyStroke stroke;
    const HKL layout = GetKeyboardLayout(0);
    MSG down = {nullptr, WM_KEYDOWN, VK_CONTROL, 0x1D << 16 | 0x01000000 | 1, 0, {0, 0}};
    ASSERT_TRUE(KeyStroke::FromKeyMessage(down, layout, stroke));
    EXPECT_EQ(stroke.virtualKey, static_cast<uint32_t>(VK_RCONTROL));
    EXPECT_EQ(stroke.direction, KeyStroke::kDown);
    EXPECT_EQ(stroke.flags & KeyStroke::kExtended, KeyStroke::kExtended);

    MSG up = {nullptr, WM_SYSKEYUP, VK_MENU, 0x38 << 16 | 0x20000000, 0, {0, 0}};
    ASSERT_TRUE(KeyStroke::FromKeyMessage(up, layout, stroke));
    EXPECT_EQ(stroke.virtualKey, static_cast<uint32_t>(VK_LMENU));
    EXPECT_EQ(stroke.direction, KeyStroke::kUp);
    EXPECT_EQ(stroke.flags & KeyStroke::kContext, KeyStroke::kContext);

    MSG repeat = {nullptr, WM_KEYDOWN, 'A', 0x1E << 16 | 0x40000000, 0, {0, 0}};
    EXPECT_FALSE(KeyStroke::FromKeyMessage(repeat, layout, stroke));
    MSG other = {nullptr, WM_CHAR, 'a', 0x1E << 16, 0, {0, 0}};
    EXPECT_FALSE(KeyStroke::FromKeyMessage(other, layout, stroke));
}

TEST(KeyStrokes, RawRecordsAreUsableOnlyWithAScanCodeAndNoFakeOrPauseParts) {
    KeyStroke stroke;
    stroke.virtualKey = 'Q';
    RAWKEYBOARD fakeShift = {0x2A, RI_KEY_E0, 0, 255, WM_KEYDOWN, 0};
    EXPECT_FALSE(KeyStroke::FromRawKeyboard(fakeShift, stroke));
    RAWKEYBOARD pause = {0x1D, RI_KEY_E1, 0, VK_PAUSE, WM_KEYDOWN, 0};
    EXPECT_FALSE(KeyStroke::FromRawKeyboard(pause, stroke));
    RAWKEYBOARD noScan = {0, 0, 0, 'A', WM_KEYDOWN, 0};
    EXPECT_FALSE(KeyStroke::FromRawKeyboard(noScan, stroke));

    RAWKEYBOARD unknownKey = {0x1E, RI_KEY_BREAK, 0, 255, WM_KEYUP, 0};
    ASSERT_TRUE(KeyStroke::FromRawKeyboard(unknownKey, stroke));
    EXPECT_EQ(stroke.virtualKey, static_cast<uint32_t>('Q'));  // the earlier key stays
    EXPECT_EQ(stroke.direction, KeyStroke::kUp);
    RAWKEYBOARD rightCtrl = {0x1D, RI_KEY_E0, 0, VK_CONTROL, WM_KEYDOWN, 0};
    ASSERT_TRUE(KeyStroke::FromRawKeyboard(rightCtrl, stroke));
    EXPECT_EQ(stroke.virtualKey, static_cast<uint32_t>(VK_RCONTROL));
    EXPECT_EQ(stroke.flags, KeyStroke::kExtended);
}

TEST(Captions, AShortenedCaptionIsACopyEndedWithAnEllipsis) {
    auto width = [](const CString& text) { return text.GetLength() * 10; };
    const CString caption = L"Launch Program";
    EXPECT_EQ(ShortenToFit(caption, 20, 100, width), CString(L"Launch P..."));  // 8 characters + icon fit
    EXPECT_EQ(caption, CString(L"Launch Program"));
    EXPECT_EQ(ShortenToFit(caption, 20, 500, width), caption);
    EXPECT_EQ(ShortenToFit(caption, 200, 100, width), CString(L"..."));  // even the icon alone is too wide
}

TEST(Fonts, TheFallbackFontIsMadeOnceAndIsBoldArial) {
    const HFONT first = GetFallbackFont();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetFallbackFont(), first);
    LOGFONTW font = {};
    ASSERT_EQ(GetObjectW(first, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
}

TEST(GenericPanel, TheBorderLineRunsHalfItsWidthInside) {
    EXPECT_EQ(CGenericPanel::BorderRect(100, 50, 3), CRect(1, 1, 98, 48));
    EXPECT_EQ(CGenericPanel::BorderRect(100, 50, 0), CRect(0, 0, 100, 50));
}

// The frame of a panel and of a popup list: one-pixel lines on the edges of
// a client rectangle that does not start at the origin, the top one left
// out when the frame stays open there, and nothing at all without a width.
TEST(GenericPanel, TheBorderRunsOnTheClientsEdgesAndAnOpenTopLeavesTheTopLineOut) {
    const COLORREF kBack = RGB(255, 255, 255), kLine = RGB(200, 0, 0);
    const CRect client(5, 4, 25, 16);
    struct Case {
        int width;
        bool openTop;
        COLORREF top, sides;
    };
    const Case cases[] = {{1, false, kLine, kLine}, {1, true, kBack, kLine}, {0, false, kBack, kBack}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << (c.openTop ? ", open top" : ""));
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 30, -20, 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(picture, nullptr);
        {
            CDC dc;
            ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
            dc.SelectObject(picture);
            dc.FillSolidRect(0, 0, 30, 20, kBack);
            CGenericPanel::DrawBorder(dc, client, c.width, kLine, c.openTop);
            EXPECT_EQ(dc.GetPixel(15, 4), c.top);
            EXPECT_EQ(dc.GetPixel(15, 15), c.sides);  // bottom
            EXPECT_EQ(dc.GetPixel(5, 10), c.sides);   // left
            EXPECT_EQ(dc.GetPixel(24, 10), c.sides);  // right
            EXPECT_EQ(dc.GetPixel(15, 10), kBack);    // inside
            EXPECT_EQ(dc.GetPixel(15, 3), kBack);     // outside
            EXPECT_EQ(dc.GetPixel(4, 10), kBack);
        }
        DeleteObject(picture);
    }
}

class ScrollArithmetic : public ::testing::Test {
protected:
    // Top 4, bottom 4, arrows 10, span 1, thumb 20: a 200-pixel bar.
    void SetUp() override {
        const int heights[] = {4, 4, 10, 10, 1, 20};
        std::copy(heights, heights + CVScrollBar::kPieces, layout.heights);
        ASSERT_TRUE(layout.Compute(200, 0));
    }
    static SCROLLINFO Info(int max, int page, int pos) {
        SCROLLINFO info = {sizeof info, SIF_ALL, 0, max, static_cast<UINT>(page), pos, 0};
        return info;
    }
    CVScrollBar::Layout layout;
};

TEST_F(ScrollArithmetic, TheTrackLeavesRoomForEveryPieceAndTheThumb) {
    EXPECT_EQ(layout.trackTop, 14);
    EXPECT_EQ(layout.trackBottom, 186);
    EXPECT_DOUBLE_EQ(layout.trackLength, 152);
    EXPECT_EQ(layout.halfThumb, 10);
    EXPECT_EQ(layout.Clamp(0), 14);
    EXPECT_EQ(layout.Clamp(500), 166);
    CVScrollBar::Layout tooShort = layout;
    EXPECT_FALSE(tooShort.Compute(48, 0));  // 48 - 8 - 20 - 20 leaves nothing
}

TEST_F(ScrollArithmetic, TheThumbFollowsThePositionAndAListWithNothingToScrollDividesByNothing) {
    EXPECT_EQ(layout.ThumbTopFor(Info(20, 5, 0)), 14);
    EXPECT_EQ(layout.ThumbTopFor(Info(20, 5, 15)), 166);
    EXPECT_EQ(layout.ThumbTopFor(Info(20, 5, 5)), 14 + static_cast<int>(152.0 / 15 * 5));
    EXPECT_EQ(layout.ThumbTopFor(Info(5, 5, 0)), 14);  // max == page
    EXPECT_EQ(layout.ThumbTopFor(Info(3, 10, 2)), 14);  // a page larger than the list
}

TEST_F(ScrollArithmetic, DraggingMapsTheThumbToAPositionCappedAtTheRange) {
    // Range 3 divides by 4: the last position comes before the bottom.
    const double step3 = (152.0 + 10) / 4;
    EXPECT_EQ(layout.DragPosition(static_cast<int>(step3 * 2), Info(8, 5, 0)), 2);
    EXPECT_EQ(layout.DragPosition(166, Info(8, 5, 0)), 3);
    EXPECT_EQ(layout.DragPosition(100, Info(105, 5, 0)), static_cast<int>(100 / (162.0 / 100)));
    EXPECT_EQ(layout.DragPosition(100, Info(5, 5, 0)), -1);
    CVScrollBar::Layout flat;  // no pictures: no track to divide
    EXPECT_EQ(flat.DragPosition(100, Info(20, 5, 0)), -1);
}

}  // namespace

// The sliders' and the colour palette's arithmetic, without windows: where
// each index of a thumb stands and which index a point reads as, in both
// directions; the ranges a thumb refuses; the level marker's value; the
// track's fill; the palette's table, its moves with the keys and where it
// opens beside its button.

#include "gui/widgets/CDMarker.h"
#include "gui/widgets/CFODropColorPaletteControl.h"
#include "gui/widgets/CFOPopupColorPaletteWnd.h"
#include "gui/widgets/CPHSlider.h"
#include "gui/widgets/CSliderHMulti.h"
#include "gui/widgets/CSliderTrack.h"
#include "gui/widgets/CVertSlider.h"
#include "gui/skin/CLangTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Five positions over an 80-pixel travel from x (or y) 10, a thumb 20 by
// 20: 20 pixels a step.
void FiveStepsOver80(CSliderBase& thumb, bool horizontal) {
    ASSERT_TRUE(thumb.SetRange(1, 5, 0, 4));
    const CRect travel = horizontal ? CRect(10, 0, 90, 20) : CRect(0, 10, 20, 90);
    ASSERT_TRUE(thumb.SetGeometry(travel, 20, 20));
}

TEST(SliderLayout, AHorizontalThumbsCentreRunsOverTheTravelAndRoundsToTheNearestIndex) {
    CPHSlider thumb;
    FiveStepsOver80(thumb, true);
    EXPECT_EQ(thumb.GetMinPos(), 0);
    EXPECT_EQ(thumb.GetMaxPos(), 80);
    const int positions[] = {0, 20, 40, 60, 80};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(thumb.GetPosition(i), positions[i]) << "index " << i;
    const struct {
        int x;
        int index;
    } reads[] = {{0, 0}, {9, 0}, {10, 1}, {29, 1}, {30, 2}, {80, 4}, {-35, 0}, {200, 10}};
    for (const auto& r : reads)
        EXPECT_EQ(thumb.PosToValue(r.x, 999), r.index) << "x " << r.x;  // halfway rounds up; no upper clamp
}

TEST(SliderLayout, AVerticalThumbStartsAtTheBottomAndTruncatesToTheIndexBelow) {
    CVertSlider thumb;
    FiveStepsOver80(thumb, false);
    EXPECT_EQ(thumb.GetMaxPos(), 0);   // the top limit
    EXPECT_EQ(thumb.GetMinPos(), 80);  // the bottom limit
    const int positions[] = {80, 60, 40, 20, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(thumb.GetPosition(i), positions[i]) << "index " << i;
    const struct {
        int y;
        int index;
    } reads[] = {{80, 0}, {70, 0}, {61, 0}, {60, 1}, {50, 1}, {0, 4}, {200, 0}};
    for (const auto& r : reads)
        EXPECT_EQ(thumb.PosToValue(999, r.y), r.index) << "y " << r.y;
}

TEST(SliderLayout, AFreshVerticalThumbHoldsValues1To32WithIndex0AtTheBottomAnd31AtTheTop) {
    CVertSlider thumb;
    ASSERT_TRUE(thumb.SetGeometry(CRect(0, 0, 10, 310), 10, 10));
    EXPECT_EQ(thumb.GetMinValue(), 1);
    EXPECT_EQ(thumb.GetMaxValue(), 32);
    EXPECT_EQ(thumb.GetPosition(0), 305);
    EXPECT_EQ(thumb.GetPosition(31), -5);
}

TEST(SliderLayout, AnEmptyTravelOrASinglePositionIsRefusedAndNeverDividesByZero) {
    CPHSlider flat;
    EXPECT_FALSE(flat.SetGeometry(CRect(10, 0, 10, 20), 20, 20));
    EXPECT_EQ(flat.PosToValue(500, 0), flat.GetMinIndex());
    CVertSlider low;
    EXPECT_FALSE(low.SetGeometry(CRect(0, 40, 20, 30), 20, 20));
    EXPECT_EQ(low.PosToValue(0, -500), low.GetMinIndex());

    CPHSlider thumb;
    FiveStepsOver80(thumb, true);
    EXPECT_FALSE(thumb.SetRange(1, 1, 0, 0));
    EXPECT_FALSE(thumb.SetRange(5, 4, 0, 4));
    EXPECT_EQ(thumb.GetMaxIndex(), 4) << "a refused range changes nothing";
    CSliderHMulti multi(1);
    EXPECT_FALSE(multi.SetThumbRange(1));
    EXPECT_EQ(multi.GetThumb(0)->GetMaxValue(), 32);
}

TEST(SliderValues, SetValueKeepsTheIndexInRangeRefusesANegativeOneAndBuildsTheCaption) {
    CSliderHMulti multi(2);
    CPHSlider& first = *multi.GetThumb(0);
    ASSERT_TRUE(first.SetGeometry(CRect(0, 0, 310, 10), 10, 10));
    first.SetCaption(nullptr, CSliderBase::kTipLeft, L"Level ");
    const struct {
        int value;
        int shown;
    } values[] = {{40, 32}, {0, 1}, {-7, 1}, {17, 17}};
    for (const auto& v : values) {
        first.SetValueInRange(v.value);
        EXPECT_EQ(first.GetValue(), v.shown) << v.value;
    }
    first.SetValue(-1, true);
    EXPECT_EQ(first.GetIndex(), 16) << "a negative index is refused";
    first.SetValue(99, false);
    EXPECT_EQ(first.GetIndex(), 31);

    first.SetMultiplier(100);
    first.SetValue(2, false);
    EXPECT_EQ(first.GetCaption(), CString(L"Level 300"));
    multi.GetThumb(1)->SetValue(2, false);
    EXPECT_EQ(multi.GetThumb(1)->GetCaption(), CString(L"3")) << "only the first thumb multiplies";
    multi.SetThumbLabel(0, L"Dim");
    EXPECT_EQ(first.GetCaption(), CString(L"Level Dim"));
}

TEST(SliderValues, TheCapRangeFollowsTheIndexRange) {
    CPHSlider thumb;
    ASSERT_TRUE(thumb.SetRange(1, 32, 0, 31));
    const struct {
        int n;
        int capMax;
    } caps[] = {{40, 31}, {12, 12}, {-3, 0}};
    for (const auto& c : caps) {
        thumb.SetCapRange(c.n);
        EXPECT_EQ(thumb.GetCapMin(), 1);
        EXPECT_EQ(thumb.GetCapMax(), c.capMax) << c.n;
    }
    ASSERT_TRUE(thumb.SetRange(3, 10, 3, 10));
    thumb.SetCapRange(5);
    EXPECT_EQ(thumb.GetCapMin(), 3);
}

TEST(LevelMarker, TheValueIsTheShareOfTheWidthKeptInTheRange) {
    const CRect rect(10, 0, 110, 20);
    const struct {
        int x;
        int value;
    } reads[] = {{10 + 55, 5}, {10, 0}, {9, 0}, {-100, 0}, {109, 9}, {110, 10}, {500, 10}};
    for (const auto& r : reads)
        EXPECT_EQ(CDMarker::ValueAt(r.x, rect, 0, 10), r.value) << r.x;
    EXPECT_EQ(CDMarker::ValueAt(50, CRect(10, 0, 10, 20), 0, 10), 0) << "no width: the minimum";
    EXPECT_EQ(CDMarker::MarkWidth(5, 100, 0, 10), 50);
    EXPECT_EQ(CDMarker::MarkWidth(0, 100, 0, 10), 0);
    EXPECT_EQ(CDMarker::MarkWidth(10, 100, 0, 10), 100);
}

TEST(TrackFill, TheFillEndsAtTheThumbEdgeThatMovedLast) {
    const CRect fill(10, 20, 210, 30);
    EXPECT_EQ(CSliderTrack::FillArea(fill, CSliderTrack::kXMoved, 80, 0), CRect(10, 20, 80, 30));
    EXPECT_EQ(CSliderTrack::FillArea(fill, CSliderTrack::kXMoved, -5, 0), CRect(10, 20, 10, 30));
    EXPECT_EQ(CSliderTrack::FillArea(fill, CSliderTrack::kXMoved, 900, 0), fill);
    EXPECT_EQ(CSliderTrack::FillArea(fill, CSliderTrack::kYMoved, 0, 25), CRect(10, 25, 210, 30));
    EXPECT_TRUE(CSliderTrack::FillArea(fill, CSliderTrack::kYMoved, 0, 99).IsRectEmpty());
    CSliderTrack track;
    EXPECT_FALSE(track.HasFill()) << "no FILLINFO, no fill";
}

TEST(Palette, TheTableHoldsItsColoursByRowAndColumn) {
    const struct {
        int row, column;
        COLORREF colour;
    } cells[] = {{0, 0, 0xFFFFFF}, {0, 1, 0xC0C0FF}, {1, 0, 0xE0E0E0}, {2, 7, 0xB469FF},
                 {3, 2, 0x0080FF}, {5, 0, 0x000000}, {5, 7, 0x400040}};
    for (const auto& c : cells)
        EXPECT_EQ(CFODropColorPaletteControl::TableColour(c.row * 8 + c.column), c.colour)
            << c.row << "," << c.column;
}

TEST(Palette, ArrowsMoveThroughTheRowsAndRoundTheColumns) {
    const struct {
        int from;
        UINT key;
        int to;
    } moves[] = {
        {0, VK_LEFT, 0},   {8, VK_LEFT, 7},   {5, VK_LEFT, 4},   {47, VK_RIGHT, 0}, {7, VK_RIGHT, 8},
        {3, VK_UP, 43},    {43, VK_DOWN, 3},  {10, VK_UP, 2},    {10, VK_DOWN, 18}, {5, 'A', -1},
    };
    for (const auto& m : moves)
        EXPECT_EQ(CFODropColorPaletteControl::MoveCell(m.from, m.key), m.to) << m.from << " key " << m.key;
}

TEST(Palette, KeysMoveTheCurrentColourAndEndThePaletteOnce) {
    CFODropColorPaletteControl control(0x808080);
    control.Init(nullptr, 0x123456, CRect(0, 0, 200, 150), true, nullptr, 1);
    EXPECT_EQ(control.FindCell(0x123456), -1);
    EXPECT_TRUE(control.OnKey(VK_RIGHT));  // no cell holds it: from the first cell
    EXPECT_EQ(control.GetColour(), 0xC0C0FFu);
    EXPECT_TRUE(control.OnKey(VK_DOWN));
    EXPECT_EQ(control.GetColour(), 0x8080FFu);
    EXPECT_FALSE(control.OnKey('Q'));
    EXPECT_FALSE(control.IsFinished());
    EXPECT_TRUE(control.OnKey(VK_ESCAPE));
    EXPECT_TRUE(control.IsFinished());
}

TEST(Palette, TheCellsFillTheAreaAboveTheCustomButton) {
    CFODropColorPaletteControl control(0x808080);
    control.Init(nullptr, 0, CRect(0, 0, 200, 150), true, nullptr, 1);
    EXPECT_EQ(control.GetCustomRect(), CRect(4, 121, 196, 146));
    const CRect& area = control.GetCellArea();
    EXPECT_EQ(area.left, 4);
    EXPECT_EQ(area.top, 4);
    EXPECT_LT(area.bottom, control.GetCustomRect().top);
    EXPECT_EQ(control.GetCellRect(0), CRect(4, 4, 28, area.top + area.Height() / 6));
    EXPECT_EQ(control.GetCellRect(47).right, 196);
    EXPECT_EQ(control.GetCellRect(47).bottom, area.bottom);
    EXPECT_EQ(control.CellAt(10, 10), 0);
    EXPECT_EQ(control.CellAt(195, area.bottom - 1), 47);
    EXPECT_EQ(control.CellAt(100, 130), -1);
    control.Release(100, 130);  // on the custom button
    EXPECT_TRUE(control.IsFinished());
}

TEST(Palette, ItOpensBelowTheButtonAboveItNearTheBottomAndRightAlignedNearTheRight) {
    const CRect work(0, 0, 1280, 1024);
    const CSize size(200, 150);
    const struct {
        CRect button;
        CRect placed;
    } cases[] = {
        {CRect(100, 100, 220, 126), CRect(100, 126, 300, 276)},
        {CRect(100, 900, 220, 926), CRect(100, 750, 300, 900)},
        {CRect(1080, 100, 1180, 126), CRect(980, 126, 1180, 276)},
        {CRect(1080, 900, 1180, 926), CRect(980, 750, 1180, 900)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFOPopupColorPaletteWnd::PlaceRect(c.button, size, work), c.placed) << c.button.left;
}

TEST(Palette, TheCustomButtonsTextGoesThroughTheLanguage) {
    CFODropColorPaletteControl control(0);
    EXPECT_EQ(control.CustomText(), CString(L"$Custom"));
    CLangTable table;
    const std::wstring text = L"English\rnotes\rCustom\rMore\\ncolours\r";
    table.Parse(text.data(), text.size() * sizeof(wchar_t));
    CLangTable::SetCurrent(&table);
    EXPECT_EQ(control.CustomText(), CString(L"More\r\ncolours"));
    CLangTable::SetCurrent(nullptr);
}

}  // namespace

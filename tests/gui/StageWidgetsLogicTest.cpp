// The stage widgets' arithmetic, without windows: where the APM slider's
// tickers stand by default, where each stage ends and which stage a point
// falls in, the stage colours (one per stage, whatever is asked) and the
// tickers' cap ranges; the DPI tile's slot names.

#include "gui/widgets/CAPMSlider.h"
#include "gui/widgets/CDPIStageWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ApmStages, DefaultStagesSpreadTheTickersEvenlyOverTheRange) {
    const struct {
        size_t tickers;
        int minValue, maxValue;
        std::vector<int> values;
    } cases[] = {
        {0, 1, 32, {}},
        {1, 1, 32, {16}},
        {3, 1, 32, {8, 15, 22}},
        {2, 10, 20, {13, 16}},
        // More tickers than steps: the step is 0 and all stand at the start.
        {40, 1, 32, std::vector<int>(40, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CAPMSlider::DefaultStageValues(c.tickers, c.minValue, c.maxValue), c.values)
            << c.tickers << " tickers over " << c.minValue << ".." << c.maxValue;

    CAPMSlider slider;
    for (int id : {1, 2, 3})
        ASSERT_NE(slider.AddTicker(id), nullptr);
    slider.SetDefaultStages();
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(slider.GetTicker(k)->GetValue(), (std::vector<int>{8, 15, 22}[k]));
}

TEST(ApmStages, ABorderStandsUnderItsTickersCentreAndAPointOnItIsPastIt) {
    // 310 pixels, a ticker 10 wide: its centre runs from 5 to 305, 300
    // pixels over the 31 steps of 1..32, rounded to the nearest pixel.
    const std::vector<int> borders = CAPMSlider::StageBorders({1, 16, 32}, 1, 32, 310, 10);
    EXPECT_EQ(borders, (std::vector<int>{5, 150, 305}));
    const struct {
        int x;
        int stage;
    } points[] = {{-20, 0}, {0, 0}, {4, 0}, {5, 1}, {149, 1}, {150, 2}, {304, 2}, {305, 3}, {900, 3}};
    for (const auto& p : points)
        EXPECT_EQ(CAPMSlider::StageAt(p.x, borders), p.stage) << "x " << p.x;
    // Counted in order: a border left of x after one right of it is not counted.
    EXPECT_EQ(CAPMSlider::StageAt(200, {100, 250, 150}), 1);
    EXPECT_EQ(CAPMSlider::StageAt(200, {}), 0) << "without tickers every point is stage 0";
}

TEST(ApmStages, NothingToDivideGivesBordersAtTheStartInsteadOfAFault) {
    EXPECT_EQ(CAPMSlider::StageBorders({5, 5}, 5, 5, 100, 10), (std::vector<int>{5, 5})) << "an empty range";
    EXPECT_EQ(CAPMSlider::StageBorders({1, 32}, 1, 32, 6, 10), (std::vector<int>{5, 5})) << "a band narrower than a ticker";
    EXPECT_EQ(CAPMSlider::StageGreys(2, 7, 7), (std::vector<COLORREF>{0, 0}));
}

TEST(ApmStages, TheColourListHoldsOneColourPerStageAndTheTickersStagesGetGreys) {
    CAPMSlider slider;
    EXPECT_EQ(slider.GetStageColours(), std::vector<COLORREF>{0}) << "one stage before any ticker";
    EXPECT_EQ(slider.GetStageAt(40), 0);
    for (int id : {1, 2, 3})
        slider.AddTicker(id);
    ASSERT_EQ(slider.GetStageColours().size(), 4u);
    ASSERT_TRUE(slider.SetStageColour(3, 0x00FF00));
    slider.InitStageColors();
    // (3 + 1) x 255 / 31 = 32 grey steps a ticker; the last stage keeps its colour.
    EXPECT_EQ(slider.GetStageColours(), (std::vector<COLORREF>{0x000000, 0x202020, 0x404040, 0x00FF00}));
    EXPECT_FALSE(slider.SetStageColour(4, 0xFF)) << "no fifth stage";
    EXPECT_EQ(slider.GetStageColours().size(), 4u);
    // Greys wrap at 8 bits: 21 x 255 / 31 = 172 a step, the third 344 - 256.
    EXPECT_EQ(CAPMSlider::StageGreys(20, 1, 32)[2], 0x585858u);
}

TEST(ApmStages, CapRangesReachTheNeighboursUnlessTheyAreOff) {
    CAPMSlider slider;
    for (int id : {1, 2, 3})
        slider.AddTicker(id);
    slider.SetDefaultStages();  // 8, 15, 22
    slider.SetTickerCapRanges();
    // Kept inside the indexes 0..31.
    const int expected[][2] = {{1, 15}, {10, 22}, {15, 31}};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(slider.GetTicker(k)->GetCapMin(), expected[k][0]) << "ticker " << k;
        EXPECT_EQ(slider.GetTicker(k)->GetCapMax(), expected[k][1]) << "ticker " << k;
    }
    slider.RemoveTickerCapRanges();
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(std::make_pair(slider.GetTicker(k)->GetCapMin(), slider.GetTicker(k)->GetCapMax()),
                  std::make_pair(1, 31));
}

TEST(DpiTile, SlotsAreFoundByNameWhateverTheCase) {
    EXPECT_EQ(CDPIStageWindow::TextSlotOf(L"dpix"), CDPIStageWindow::kValueX);
    EXPECT_EQ(CDPIStageWindow::TextSlotOf(L"Heading"), CDPIStageWindow::kHeading);
    EXPECT_EQ(CDPIStageWindow::TextSlotOf(L"x"), CDPIStageWindow::kTextX);
    EXPECT_EQ(CDPIStageWindow::TextSlotOf(L"DPIFRAME"), -1) << "a picture's name is no text slot";
    EXPECT_EQ(CDPIStageWindow::PictureSlotOf(L"DpiFrameSelected"), CDPIStageWindow::kFrameSelected);
    EXPECT_EQ(CDPIStageWindow::PictureSlotOf(L"dpiwiny"), CDPIStageWindow::kWinY);
    EXPECT_EQ(CDPIStageWindow::PictureSlotOf(L"DPIWINZ"), -1);
    EXPECT_EQ(CDPIStageWindow::PictureSlotOf(nullptr), -1);
}

TEST(DpiTile, ANewTileHasStageNumber0AndItsValuesRead0) {
    CDPIStageWindow tile;
    EXPECT_EQ(tile.GetStageNumber(), 0);
    EXPECT_FALSE(tile.IsSelected());
    for (auto slot : {CDPIStageWindow::kStage, CDPIStageWindow::kValueX, CDPIStageWindow::kValueY})
        EXPECT_EQ(tile.GetTextArea(slot).text, CString(L"0"));
    tile.SetStageNumber(4);
    EXPECT_EQ(tile.GetStageNumber(), 4);
}

}  // namespace

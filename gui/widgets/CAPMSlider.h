#pragma once
// A horizontal band divided into coloured stages by a row of tickers (skin
// element HSLIDERMAPM): n tickers make n + 1 stages, each drawn in its own
// colour with the picture beneath laid faintly over it, and a click on the
// band tells the owner which stage it hit.  The slider sits on a bitmap
// item, its parent; the page that built it is its owner.
//
// The tickers are its children and its own: the owner appends them
// (AddTicker), then sets the stages.  A stage's border is where its
// ticker's centre stands; clicks are judged against the borders as drawn.

#include "gui/widgets/CAPMTicker.h"
#include "gui/widgets/CSliderTrack.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CString.h"

#include <pugixml.hpp>

#include <cstddef>
#include <memory>
#include <vector>

class CGUIItems;

class CAPMSlider : public CSliderTrack {
public:
    CAPMSlider();
    ~CAPMSlider() override;

    // The HSLIDERMAPM element's builder: null for an unknown name, a
    // 'trackid' that names no bitmap item, an empty rectangle, or a window
    // that cannot be made.
    static CAPMSlider* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // A child of 'parent' at rect (its client coordinates), over the part of
    // 'background' under rect; the ticker pictures are kept for AddTicker.
    bool Create(CWnd* parent, const CBitmap* background, const CBitmap* ticker, const CBitmap* tickerOver,
                const CRect& rect, int32_t id);

    // A new last ticker at the top of the range, with that id, and a stage
    // colour (0) for the stage it adds.  Without a window of the slider the
    // ticker has none either; null when its window cannot be made.
    CAPMTicker* AddTicker(int32_t id);
    size_t GetTickerCount() const noexcept { return m_tickers.size(); }
    CAPMTicker* GetTicker(size_t i) const { return i < m_tickers.size() ? m_tickers[i].get() : nullptr; }

    // The tickers spread evenly over the range.
    void SetDefaultStages();
    // Each ticker's cap range reaches its neighbours' values.
    void SetTickerCapRanges();
    // Every ticker's cap range is the whole range.
    void RemoveTickerCapRanges();
    void SetCapsOff(bool off) noexcept { m_capsOff = off ? 1 : 0; }
    // The stages of the tickers get greys growing from black; the last
    // stage keeps its colour.
    void InitStageColors();
    // False for a stage the slider does not have.
    bool SetStageColour(size_t stage, COLORREF colour);
    const std::vector<COLORREF>& GetStageColours() const noexcept { return m_stageColours; }

    // The stage under x of the client area.
    int GetStageAt(int x) const;
    // Where each ticker's stage ends, in the client area, as drawn.
    std::vector<int> GetStageBorders() const;
    const CString& GetTooltipText() const noexcept { return m_tooltipText; }
    int GetMinValue() const noexcept { return m_minValue; }
    int GetMaxValue() const noexcept { return m_maxValue; }

    // The values of n tickers spread evenly over the range.
    static std::vector<int> DefaultStageValues(size_t tickers, int minValue, int maxValue);
    // The greys of n tickers' stages (8-bit, wrapping).
    static std::vector<COLORREF> StageGreys(size_t tickers, int minValue, int maxValue);
    // Where each ticker's stage ends: a ticker of that width whose centre
    // runs over a client area that wide, placed by its value.
    static std::vector<int> StageBorders(const std::vector<int>& values, int minValue, int maxValue, int clientWidth,
                                         int tickerWidth);
    // The number of borders, in order, at or left of x before the first one
    // right of it.
    static int StageAt(int x, const std::vector<int>& borders);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnPaint() override;

private:
    // A ticker reported a value: its caps follow, its stages are drawn
    // again, and the owner is told.
    void OnTickerValue(WPARAM value, LPARAM id);
    void RefreshCapRanges();
    void RepaintTickerStages(size_t k);
    int TickerWidth() const;
    std::vector<int> TickerValues() const;

    std::vector<COLORREF> m_stageColours;
    std::vector<std::unique_ptr<CAPMTicker>> m_tickers;
    CBitmap m_thumbBitmap;
    CBitmap m_thumbOverBitmap;
    CBitmap m_background;
    // In the parent's client coordinates.
    CRect m_rect;
    CWnd* m_parent = nullptr;
    BYTE m_alpha = 50;
    BYTE m_capsOff = 0;
    CString m_tooltipText;
    int m_minValue = 1;
    int m_maxValue = 32;
    // The borders as last drawn: a ticker's old stages are drawn over too.
    std::vector<int> m_paintedBorders;
};

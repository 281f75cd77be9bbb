#include "gui/widgets/CAPMSlider.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "platform/CClientDC.h"
#include "platform/CPaintDC.h"
#include "platform/Debug.h"

#include <algorithm>

CAPMSlider::CAPMSlider() : m_stageColours(1, 0) { SetItemFields(-1, kItemApmSlider, kNoWindowYet, nullptr); }

CAPMSlider::~CAPMSlider() {
    // The tickers go while the slider is whole: each tells it that it goes.
    m_tickers.clear();
}

CAPMSlider* CAPMSlider::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    auto* carrier = dynamic_cast<CBitmapItem*>(ReadBitmapItemRef("trackid", element, items));
    if (id == -1 || !carrier)
        return nullptr;
    auto* slider = new CAPMSlider;
    if (!slider->Create(carrier, &carrier->GetPicture(), ReadPictureElement("SBMN", element),
                        ReadPictureElement("SBMO", element), ReadItemRect(id, element), id)) {
        delete slider;
        return nullptr;
    }
    // A bitmap item is disabled so that the mouse falls through to the
    // panel; the band on it would never hear a click.
    carrier->EnableWindow(true);
    slider->SetOwner(parent);
    ReadTooltipAttr(element, slider->m_tooltipText);
    slider->SetDefaultStages();
    slider->RefreshCapRanges();
    slider->InitStageColors();
    return slider;
}

bool CAPMSlider::Create(CWnd* parent, const CBitmap* background, const CBitmap* ticker, const CBitmap* tickerOver,
                        const CRect& rect, int32_t id) {
    if (!parent || rect.IsRectEmpty() || !CSliderTrack::Create(rect, parent, id))
        return false;
    m_rect = rect;
    m_parent = parent;
    SetItemFields(id, kItemApmSlider, m_hWnd, parent);
    CopyBitmap(ticker, m_thumbBitmap);
    if (!CopyBitmap(tickerOver, m_thumbOverBitmap))
        CopyBitmap(ticker, m_thumbOverBitmap);
    if (background && background->GetSafeHandle()) {
        CClientDC dc(this);
        StretchBitmap(&m_background, &dc, background, rect);
    }
    return true;
}

CAPMTicker* CAPMSlider::AddTicker(int32_t id) {
    auto ticker = std::make_unique<CAPMTicker>();
    ticker->SetItemFields(id, kItemApmSlider, kNoWindowYet, this);
    ticker->SetRange(m_minValue, m_maxValue, 0, m_maxValue - m_minValue);
    // The ticker's centre runs from half its width in to half its width
    // short of the right edge: where the stage borders are drawn.
    const CSize picture = BitmapSize(&m_thumbBitmap);
    const int tickerWidth = static_cast<int>(picture.cx), tickerHeight = static_cast<int>(picture.cy);
    const int top = (m_rect.Height() - tickerHeight) / 2;
    const CRect travel(tickerWidth / 2, top, tickerWidth / 2 + std::max(m_rect.Width() - tickerWidth, 0),
                       top + tickerHeight);
    if (m_hWnd) {
        if (!ticker->Create(&m_thumbBitmap, this, &m_thumbOverBitmap, nullptr, true, travel))
            return nullptr;
        ticker->m_itemWindow = ticker->GetSafeHwnd();
    } else {
        ticker->SetGeometry(travel, tickerWidth, tickerHeight);
    }
    ticker->SetValue(ticker->GetMaxIndex(), true);
    m_tickers.push_back(std::move(ticker));
    m_stageColours.push_back(0);
    if (m_hWnd)
        Invalidate(false);
    return m_tickers.back().get();
}

std::vector<int> CAPMSlider::DefaultStageValues(size_t tickers, int minValue, int maxValue) {
    const int step = (maxValue - minValue) / static_cast<int>(tickers + 1);
    std::vector<int> values;
    for (size_t k = 0; k < tickers; ++k)
        values.push_back(static_cast<int>(k + 1) * step + minValue);
    return values;
}

void CAPMSlider::SetDefaultStages() {
    const std::vector<int> values = DefaultStageValues(m_tickers.size(), m_minValue, m_maxValue);
    for (size_t k = 0; k < m_tickers.size(); ++k)
        m_tickers[k]->SetValueInRange(values[k]);
    if (m_hWnd)
        Invalidate(false);
}

std::vector<int> CAPMSlider::TickerValues() const {
    std::vector<int> values;
    for (const auto& ticker : m_tickers)
        values.push_back(ticker->GetValue());
    return values;
}

void CAPMSlider::SetTickerCapRanges() {
    const std::vector<int> v = TickerValues();
    const size_t n = v.size();
    for (size_t k = 0; k < n; ++k) {
        const int low = k == 0 ? m_minValue : k == n - 1 ? v[n - 2] : v[k - 1] + 2;
        const int high = k == n - 1 ? m_maxValue : v[k + 1];
        m_tickers[k]->SetCapRange(high, low);
    }
}

void CAPMSlider::RemoveTickerCapRanges() {
    for (const auto& ticker : m_tickers)
        ticker->SetCapRange(m_maxValue, m_minValue);
}

void CAPMSlider::RefreshCapRanges() {
    if (m_capsOff)
        RemoveTickerCapRanges();
    else
        SetTickerCapRanges();
}

std::vector<COLORREF> CAPMSlider::StageGreys(size_t tickers, int minValue, int maxValue) {
    const int range = maxValue - minValue;
    const int step = range > 0 ? static_cast<int>(tickers + 1) * 255 / range : 0;
    std::vector<COLORREF> greys;
    for (size_t k = 0; k < tickers; ++k)
        greys.push_back((static_cast<COLORREF>(k * step) & 0xFF) * 0x010101);
    return greys;
}

void CAPMSlider::InitStageColors() {
    const std::vector<COLORREF> greys = StageGreys(m_tickers.size(), m_minValue, m_maxValue);
    std::copy(greys.begin(), greys.end(), m_stageColours.begin());
    if (m_hWnd)
        Invalidate(false);
}

bool CAPMSlider::SetStageColour(size_t stage, COLORREF colour) {
    if (stage >= m_stageColours.size())
        return false;
    m_stageColours[stage] = colour;
    if (m_hWnd)
        Invalidate(false);
    return true;
}

std::vector<int> CAPMSlider::StageBorders(const std::vector<int>& values, int minValue, int maxValue,
                                          int clientWidth, int tickerWidth) {
    const long long travel = std::max(clientWidth - tickerWidth, 0);
    const long long range = maxValue - minValue;
    std::vector<int> borders;
    for (int value : values) {
        const long long at = range > 0 ? ((value - minValue) * travel + range / 2) / range : 0;
        borders.push_back(static_cast<int>(at) + tickerWidth / 2);
    }
    return borders;
}

int CAPMSlider::StageAt(int x, const std::vector<int>& borders) {
    int stage = 0;
    while (stage < static_cast<int>(borders.size()) && borders[stage] <= x)
        ++stage;
    return stage;
}

int CAPMSlider::TickerWidth() const {
    return m_tickers.empty() ? 0 : static_cast<int>(m_tickers.front()->GetPictureSize().cx);
}

std::vector<int> CAPMSlider::GetStageBorders() const {
    return StageBorders(TickerValues(), m_minValue, m_maxValue, m_rect.Width(), TickerWidth());
}

int CAPMSlider::GetStageAt(int x) const { return StageAt(x, GetStageBorders()); }

void CAPMSlider::RepaintTickerStages(size_t k) {
    const std::vector<int> borders = GetStageBorders();
    if (k >= borders.size())
        return;
    // Both stages of the ticker, as drawn now and as they will be.
    int left = std::min(k > 0 ? borders[k - 1] : 0, borders[k]);
    int right = std::max(k + 1 < borders.size() ? borders[k + 1] : m_rect.Width(), borders[k]);
    if (k < m_paintedBorders.size()) {
        left = std::min(left, m_paintedBorders[k]);
        right = std::max(right, m_paintedBorders[k]);
    }
    const CRect stages(left, 0, right, m_rect.Height());
    InvalidateRect(&stages, false);
}

void CAPMSlider::OnTickerValue(WPARAM value, LPARAM id) {
    RefreshCapRanges();
    for (size_t k = 0; k < m_tickers.size(); ++k)
        if (m_tickers[k]->m_itemId == static_cast<int32_t>(id) && m_tickers[k]->GetValue() == static_cast<int>(value))
            RepaintTickerStages(k);
    ForwardToOwner(WM_SLIDER_VALUE_CHANGING, value, id);
}

LRESULT CAPMSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SLIDER_VALUE_SET:
    case WM_SLIDER_VALUE_CHANGING:
        OnTickerValue(wParam, lParam);
        return 0;
    case WM_HSLIDER_THUMB_MOVED:
    case WM_VSLIDER_THUMB_MOVED:
        // No fill and no tooltip follow the tickers.
        return 0;
    default:
        return CBitmapItem::WindowProc(message, wParam, lParam);
    }
}

void CAPMSlider::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    ForwardToOwner(WM_APMSLIDER_STAGE_CLICKED, static_cast<WPARAM>(GetStageAt(point.x)), m_itemId);
}

void CAPMSlider::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(&paint, &client);
    const std::vector<int> borders = GetStageBorders();
    for (size_t k = 0; k < borders.size(); ++k)
        TRACE(L"CAPMSlider::OnPaint Pos(%d): 0x%d\n", static_cast<int>(k), m_tickers[k]->GetValue());
    // Stage s runs from the border before it to its own; one colour each.
    for (size_t s = 0; s <= borders.size() && s < m_stageColours.size(); ++s) {
        TRACE(L"CAPMSlider::OnPaint Color(%d): 0x%x\n", static_cast<int>(s), m_stageColours[s]);
        const CRect stage(s == 0 ? client.left : borders[s - 1], client.top,
                          s == borders.size() ? client.right : borders[s], client.bottom);
        if (stage.IsRectEmpty())
            continue;
        TRACE(L"CAPMSlider::OnPaint CurrentRect(%d, %d): color(0x%x)\n", static_cast<int>(stage.left),
              static_cast<int>(stage.right), m_stageColours[s]);
        dc.FillSolidRect(&stage, m_stageColours[s]);
    }
    if (m_background.GetSafeHandle()) {
        CDC source;
        if (source.CreateCompatibleDC(&dc)) {
            source.SelectObject(&m_background);
            const CSize size = BitmapSize(&m_background);
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_alpha, 0};
            ::AlphaBlend(dc, 0, 0, std::min<int>(size.cx, client.Width()), std::min<int>(size.cy, client.Height()),
                         source, 0, 0, std::min<int>(size.cx, client.Width()),
                         std::min<int>(size.cy, client.Height()), blend);
        }
    }
    m_paintedBorders = borders;
}

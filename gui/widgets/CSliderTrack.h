#pragma once
// The picture behind a slider (skin element SLIDERTRACK): the parent window
// of its thumbs, with an optional fill bar that follows the thumb, a
// tracking tooltip that shows the thumb's caption while it is dragged or
// hovered, and the road of the thumbs' value messages to the track's owner
// (or parent).  A click on the track sends its thumb there.
//
// The track knows its thumbs but does not own them; a thumb that goes tells
// the track, and a track that goes tells its thumbs.

#include "gui/widgets/CBitmapItem.h"
#include "platform/CRect.h"

#include <commctrl.h>

#include <vector>

class CSliderBase;

class CSliderTrack : public CBitmapItem {
public:
    // Which thumb edge moved last: the fill follows it.
    enum LastMoved { kNoneMoved, kXMoved, kYMoved };

    CSliderTrack();
    ~CSliderTrack() override;

    // The SLIDERTRACK element's builder: null for an unknown name, without a
    // parent, or when the window cannot be made.
    static CSliderTrack* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Its thumbs are children that must never be painted over.
    bool Create(const CRect& rect, CWnd* parent, int32_t id);

    // The fill bar: its rectangle in the track's client area and colour.
    void SetFill(const CRect& rect, COLORREF colour);
    bool HasFill() const noexcept { return m_hasFill != 0; }
    // Where the fill is painted, for a thumb edge that moved last.
    static CRect FillArea(const CRect& fill, LastMoved last, int lastX, int lastY);
    CRect GetFillArea() const { return FillArea(m_fillRect, m_lastMoved, m_lastThumbX, m_lastThumbY); }

    // The thumb whose caption the tooltip shows and that a click moves.
    void SetThumb(CSliderBase* thumb) noexcept { m_thumb = thumb; }
    CSliderBase* GetThumb() const noexcept { return m_thumb; }
    // Every thumb on the track, for the track to tell when it goes.
    void AddThumb(CSliderBase* thumb);
    void ForgetThumb(CSliderBase* thumb);

    // The tooltip is made when the thumb first gets its caption.
    void SetTooltipMode(int position);
    void ShowTooltip();
    void HideTooltip();
    bool IsTooltipShown() const noexcept { return m_tooltipShown != 0; }
    HWND GetTooltip() const noexcept { return m_tooltip; }
    // Adds or removes the tool, when the tooltip exists and the state differs.
    void SetToolEnabled(bool enabled);
    bool IsToolAdded() const noexcept { return m_toolAdded != 0; }

    void Show(bool show) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    // Posted to the owner, else the parent.
    void ForwardToOwner(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void UpdateTipText();
    void PlaceTooltip();
    TOOLINFOW ToolInfo();

    BYTE m_repaintAll = 0;
    BYTE m_hasFill = 0;
    COLORREF m_fillColour = 0xFFFFFF;
    CRect m_fillRect;
    int m_lastThumbX = 0;
    int m_lastThumbY = 0;
    LastMoved m_lastMoved = kNoneMoved;
    CSliderBase* m_thumb = nullptr;
    std::vector<CSliderBase*> m_thumbs;
    HWND m_tooltip = nullptr;
    BYTE m_tooltipShown = 0;
    int m_tooltipPosMode = 0;
    BYTE m_toolAdded = 0;
    // The thumb caption as the tool shows it.
    wchar_t m_tipText[120] = {};
};

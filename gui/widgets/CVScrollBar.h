#pragma once
// The skinned vertical scroll bar that list-like widgets place beside their
// list window.  It holds no position of its own: it reads the list's scroll
// information and steers the list by posting WM_VSCROLL to it.  Each bar
// keeps its own follow-up timers and jump target, so two bars never take
// over each other's pending steps.

#include "gui/skin/AttributeReaders.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CStatic.h"

#include <pugixml.hpp>

#include <memory>

class CVScrollBar : public CStatic {
public:
    // The pieces, in the order of the skin's picture set.
    enum Piece { kTop, kBottom, kArrowUp, kArrowDown, kSpan, kThumb, kPieces };
    static constexpr UINT_PTR kFollowUpTimer = 1;  // 5 ms after a step: thumb update, SB_ENDSCROLL
    static constexpr UINT_PTR kJumpTimer = 2;      // 20 ms after a jump to the end
    static constexpr UINT kFollowUpMs = 5;
    static constexpr UINT kJumpMs = 20;

    // Heights of the pieces and what the layout makes of a client area.
    struct Layout {
        int heights[kPieces] = {};
        int trackTop = 0;
        int trackBottom = 0;
        double trackLength = 0;
        int halfThumb = 0;

        // False when the thumb has no room to travel.
        bool Compute(int clientHeight, int clientTop);
        // The thumb's top kept between the track's top and its bottom less
        // the thumb.
        int Clamp(int thumbTop) const;
        // Where the thumb stands for the list's position; the track's top
        // when the list has nothing to scroll.
        int ThumbTopFor(const SCROLLINFO& info) const;
        // The list position for a dragged thumb, capped at max - page;
        // -1 when the list has nothing to scroll or the track no length.
        int DragPosition(int thumbTop, const SCROLLINFO& info) const;
    };

    CVScrollBar(int barWidth, CWnd* listWindow);
    ~CVScrollBar() override;

    // The pictures and the border width; the copies are made with the
    // bar's own DC once its window exists.
    void SetThumbBitmap(const ScrollBarBitmaps& record);
    // Fails without a window, without pictures, or when the layout does not
    // fit.
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) override;
    void UpdateThumbPosition();
    // The bar at rect in a list's frame, in the list's colours; false (no
    // bar) when it cannot be made.
    bool CreateBeside(CWnd* frame, const RECT& rect, COLORREF background, COLORREF border);

    void SetBackgroundColour(COLORREF colour) { m_background = colour; }
    void SetBorderColour(COLORREF colour) { m_border = colour; }
    int GetBarWidth() const noexcept { return m_barWidth; }
    int GetThumbTop() const noexcept { return m_thumbTop; }
    const Layout& GetLayout() const noexcept { return m_layout; }
    bool HasPictures() const noexcept { return m_pictures != nullptr; }
    CWnd* GetListWindow() const noexcept { return m_list; }

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    struct Pictures;

    bool GetListInfo(SCROLLINFO& info) const;
    void MakeCopies();
    bool LayOut();
    void Post(UINT code, int position = 0);
    void StartFollowUp();
    void Redraw();
    bool InThumb(CPoint point) const;

    double m_trackLength = 0;
    int m_thumbTop = 0;
    CRect m_upArrow;
    CRect m_downArrow;
    bool m_upPressed = false;
    bool m_downPressed = false;
    bool m_dragging = false;
    std::unique_ptr<Pictures> m_pictures;
    CWnd* m_list;
    COLORREF m_background = 0;
    COLORREF m_border = 0xFFFFFF;
    int m_borderWidth = 0;
    int m_halfDown = 0;
    int m_halfUp = 0;
    int m_barWidth;
    int m_lastPosted = -1;
    Layout m_layout;
    // This bar's own pending steps.
    bool m_followUp = false;
    bool m_jumpFollowUp = false;
    int m_jumpTarget = 0;
};

// The VSCROLL child of an element: a bar of the width its pictures need,
// steering listWindow; without one, a bar of width 0 without pictures.
CVScrollBar* CreateVScrollBar(const pugi::xml_node& element, CWnd* listWindow);

class CListCtrl;

// What a list beside a bar does with the mouse and the wheel, shared by the
// list widgets.  A list that holds the mouse while no button is down hands
// it to its bar when the pointer is over the bar, else lets it go.
void HandCaptureToBar(CWnd& list, CVScrollBar* bar, UINT flags, CPoint point);
// One line up (a positive delta) or down per whole notch, posted to the list.
void PostWheelSteps(CWnd& list, short delta);
// The steps a list takes itself: a line down with the last row in view
// does nothing, the thumb scrolls whole rows (of the rows' own height,
// fallbackRowHeight while there are none).  False for the steps the list's
// default handling takes.
bool ScrollListBy(CListCtrl& list, UINT code, UINT pos, int fallbackRowHeight);

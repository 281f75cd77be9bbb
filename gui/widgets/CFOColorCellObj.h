#pragma once
// One cell of the colour palette: a rectangle showing its colour inside a
// thin frame, and the selection mark of the cell whose colour is current.

#include "platform/CBrush.h"
#include "platform/CRect.h"

#include <windows.h>

class CDC;

class CFOColorCellObj {
public:
    CFOColorCellObj() = default;
    virtual ~CFOColorCellObj() = default;
    CFOColorCellObj(const CFOColorCellObj&) = delete;
    CFOColorCellObj& operator=(const CFOColorCellObj&) = delete;

    virtual bool HitTest(int x, int y) const;
    // Black behind the cell, its colour inset by one pixel, a frame round it.
    virtual void Draw(CDC& dc);
    // A white two-pixel frame just inside the cell and a black one just outside.
    virtual void DrawSelected(CDC& dc);
    // That mark round any rectangle (the palette's pressed custom button too).
    static void DrawSelectionFrame(CDC& dc, const CRect& rect);

    void SetRect(const CRect& rect) { m_rect = rect; }
    const CRect& GetRect() const noexcept { return m_rect; }
    // The brush is made again on the next draw.
    void SetColour(COLORREF colour);
    COLORREF GetColour() const noexcept { return m_colour; }
    void SetBorderColour(COLORREF colour) { m_borderColour = colour; }

private:
    CRect m_rect;
    COLORREF m_colour = 0xFFFFFF;
    // Made on the first draw.
    CBrush m_brush;
    int m_inset = 1;
    COLORREF m_borderColour = 0;
};

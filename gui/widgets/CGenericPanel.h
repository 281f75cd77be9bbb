#pragma once
// A plain rectangle or picture with an optional border line: the frame
// behind edit fields and lists.  Its inner rectangle is the area the owner
// may use.

#include "gui/widgets/CBitmapWindow.h"
#include "platform/CBitmap.h"
#include "platform/CDC.h"
#include "platform/CRect.h"
#include "platform/CStatic.h"

#include <memory>

class CGenericPanel : public CStatic {
public:
    explicit CGenericPanel(int borderWidth);

    // A picture smaller than the rectangle both ways is centred in it;
    // otherwise the window takes the picture's own rectangle and the inner
    // rectangle is the given one.  Without a picture the inner rectangle is
    // the client area less the border.
    bool Create(const RECT& rect, CWnd* parent, const PictureRecord* picture = nullptr);

    void SetBackgroundColour(COLORREF colour) { m_background = colour; }
    void SetBorderColour(COLORREF colour) { m_border = colour; }
    COLORREF GetBackgroundColour() const noexcept { return m_background; }
    COLORREF GetBorderColour() const noexcept { return m_border; }
    int GetBorderWidth() const noexcept { return m_borderWidth; }
    const CRect& GetInnerRect() const noexcept { return m_inner; }

    // The frame of a list widget at rect under parent, in the list's colours;
    // listRect gets the list's place in it
    // (the inner rectangle less a bar of barWidth at its right).  Null when
    // the window cannot be made.
    static std::unique_ptr<CGenericPanel> CreateListFrame(const RECT& rect, CWnd* parent, int borderWidth,
                                                          const PictureRecord* picture, COLORREF background,
                                                          COLORREF border, int barWidth, CRect& listRect);

    // The border's rectangle for a client size: the client corners moved
    // in by half the width, rounded down at the top left and up at the
    // bottom right.
    static CRect BorderRect(int width, int height, int borderWidth);
    // Draws that border inside client with a pen of the width and colour;
    // openTop leaves the top line out, for a frame that continues a box
    // above it.  A width of 0 or less draws nothing.
    static void DrawBorder(CDC& dc, const CRect& client, int borderWidth, COLORREF colour, bool openTop = false);

protected:
    void OnPaint() override;

private:
    COLORREF m_background = 0;
    COLORREF m_border = 0xFFFFFF;
    CBitmap m_picture;
    CPoint m_pictureOffset;
    int m_borderWidth;
    int m_halfDown;
    int m_halfUp;
    CRect m_inner;
};

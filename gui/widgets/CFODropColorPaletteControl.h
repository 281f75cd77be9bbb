#pragma once
// The colour palette's model and painter: 48 colour cells in 6 rows of 8
// over a "$Custom" button, the current colour, and what the mouse and the
// keys do with them.  It lives in a palette window and posts what the user
// chose to the window that asked for the palette (its notify window):
// WM_PALETTE_COLOUR_SELECTED for a choice (lParam kind 0) or a keyboard move
// (kind kPalettePreview), WM_PALETTE_DISMISSED for Escape and
// WM_PALETTE_CUSTOM_REQUESTED for the custom button or Tab.  The high word
// of lParam carries the palette's serial, so that a message of a palette
// that is gone is told apart.  After a choice, a dismissal or a custom
// request the palette posts nothing more.

#include "gui/widgets/CFOColorCellObj.h"
#include "platform/CFont.h"
#include "platform/CRect.h"
#include "platform/CString.h"

#include <windows.h>

class CDC;
class CWnd;

class CFODropColorPaletteControl {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 8;
    static constexpr int kCells = kRows * kColumns;
    static constexpr int kMargin = 4;
    static constexpr int kCustomHeight = 25;
    static constexpr int kSwatchWidth = 22;

    // The colour of a cell (row x 8 + column) of the palette's table.
    static COLORREF TableColour(int cell);
    // Where a key moves from a cell: Left and Right through the rows (Right
    // from the last cell to the first, Left stays at the first), Up and
    // Down round within the column; -1 for any other key.
    static int MoveCell(int cell, UINT key);
    // The cell rectangles of an area: column edges at left + k x width / 8,
    // row edges at top + k x height / 6.
    static CRect CellRectIn(const CRect& area, int cell);

    // defaultColour: the frames' colour (the button's border).
    explicit CFODropColorPaletteControl(COLORREF defaultColour);
    virtual ~CFODropColorPaletteControl() = default;
    CFODropColorPaletteControl(const CFODropColorPaletteControl&) = delete;
    CFODropColorPaletteControl& operator=(const CFODropColorPaletteControl&) = delete;

    // window: the palette window it paints in; notify: where it posts.
    virtual void Init(CWnd* window, COLORREF colour, const CRect& client, bool hideOnChoice, HWND notify,
                      WORD serial);
    // The colours again and the cells over the client rectangle.
    virtual void Layout();
    virtual void LayoutCells(const CRect& area);
    virtual void LoadColours();
    virtual void Draw(CDC& dc);
    // The custom button's text again, and a repaint.
    virtual void Relayout();
    // The mouse at x, y with the button held.
    virtual void TrackCell(int x, int y);
    virtual void Choose(COLORREF colour, int kind);
    virtual void Cancel(COLORREF colour, int kind);
    virtual void DrawFrame(CDC& dc, const CRect& rect, int style);
    virtual void DrawCustomButton(CDC& dc, bool showSwatch);
    virtual void DrawCustomPressed(CDC& dc);

    // The custom button's request, with the current colour.
    void RequestCustom();
    // The button released at x, y: a cell is chosen, the custom button asks
    // for the colour dialog.
    void Release(int x, int y);
    // Arrows move and preview, Enter chooses, Escape dismisses, Tab asks
    // for the colour dialog; false for a key it does not take.
    bool OnKey(UINT key);

    COLORREF GetColour() const noexcept { return m_colour; }
    // The cell holding the colour; -1 when none does.
    int FindCell(COLORREF colour) const;
    // The cell under x, y; -1 when none.
    int CellAt(int x, int y) const;
    const CRect& GetCellRect(int cell) const { return m_cells[cell].GetRect(); }
    const CRect& GetCellArea() const noexcept { return m_cellArea; }
    const CRect& GetCustomRect() const noexcept { return m_customRect; }
    bool IsCustomPressed() const noexcept { return m_customPressed; }
    bool IsFinished() const noexcept { return m_finished; }
    // "$Custom" through the language table, in the text case, its first
    // "\n" marker a line break.
    CString CustomText() const;

private:
    void SetCurrent(COLORREF colour);
    void InvalidateCell(int cell);
    void Post(UINT message, COLORREF colour, int kind);
    // The palette is done: it posts nothing more and hides when asked to.
    void Finish();

    CFOColorCellObj m_cells[kCells];
    COLORREF m_defaultColour;
    CRect m_cellArea;
    CRect m_client;
    CRect m_customRect;
    COLORREF m_colour = 0;
    CWnd* m_window = nullptr;
    HWND m_notify = nullptr;
    WORD m_serial = 0;
    bool m_hideOnChoice = true;
    bool m_customPressed = false;
    bool m_finished = false;
    int m_textCase = 0;
    CFont m_font;
    CString m_customText = L"$Custom";
};

#include "gui/widgets/CFODropColorPaletteControl.h"

#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "platform/CDC.h"
#include "platform/CWnd.h"

namespace {

// The palette's colours column by column, six to a column.
const COLORREF kTable[CFODropColorPaletteControl::kCells] = {
    0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,  // column 1
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x0000C0, 0x000080, 0x000040,  // column 2
    0xC0E0FF, 0x80E0FF, 0x00C0FF, 0x0080FF, 0x004080, 0x404080,  // column 3
    0xC0FFFF, 0x80FFFF, 0x00FFFF, 0x00C0C0, 0x008080, 0x004040,  // column 4
    0xC0FFC0, 0x80FF80, 0x00FF00, 0x00C000, 0x008000, 0x004000,  // column 5
    0xFFFFC0, 0xFFFF80, 0xFFFF00, 0xC0C000, 0x808000, 0x404000,  // column 6
    0xFFC0C0, 0xFF8080, 0xFF0000, 0xC00000, 0x800000, 0x400000,  // column 7
    0xFFC0FF, 0xFF80FF, 0xB469FF, 0xC000C0, 0x800080, 0x400040,  // column 8
};

constexpr int kFlatFrame = 2;

}  // namespace

COLORREF CFODropColorPaletteControl::TableColour(int cell) {
    if (cell < 0 || cell >= kCells)
        return 0;
    const int row = cell / kColumns, column = cell % kColumns;
    return kTable[column * kRows + row];
}

int CFODropColorPaletteControl::MoveCell(int cell, UINT key) {
    if (cell < 0 || cell >= kCells)
        cell = 0;
    switch (key) {
    case VK_LEFT: return cell > 0 ? cell - 1 : 0;
    case VK_RIGHT: return cell < kCells - 1 ? cell + 1 : 0;
    case VK_UP: return cell >= kColumns ? cell - kColumns : cell + kCells - kColumns;
    case VK_DOWN: return cell < kCells - kColumns ? cell + kColumns : cell - (kCells - kColumns);
    default: return -1;
    }
}

CRect CFODropColorPaletteControl::CellRectIn(const CRect& area, int cell) {
    const int row = cell / kColumns, column = cell % kColumns;
    const int width = area.Width(), height = area.Height();
    return CRect(area.left + column * width / kColumns, area.top + row * height / kRows,
                 area.left + (column + 1) * width / kColumns, area.top + (row + 1) * height / kRows);
}

CFODropColorPaletteControl::CFODropColorPaletteControl(COLORREF defaultColour) : m_defaultColour(defaultColour) {
    LOGFONTW description = {};
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!font || ::GetObjectW(font, sizeof description, &description) != sizeof description)
        ::GetObjectW(::GetStockObject(ANSI_VAR_FONT), sizeof description, &description);
    m_font.CreateFontIndirect(&description);
    for (CFOColorCellObj& cell : m_cells)
        cell.SetBorderColour(m_defaultColour);
}

void CFODropColorPaletteControl::Init(CWnd* window, COLORREF colour, const CRect& client, bool hideOnChoice,
                                      HWND notify, WORD serial) {
    m_window = window;
    m_colour = colour;
    m_client = client;
    m_hideOnChoice = hideOnChoice;
    m_notify = notify;
    m_serial = serial;
    m_finished = false;
    Layout();
    Relayout();
}

void CFODropColorPaletteControl::Layout() {
    LoadColours();
    CRect inner = m_client;
    inner.DeflateRect(kMargin, kMargin);
    m_customRect = CRect(inner.left, inner.bottom - kCustomHeight, inner.right, inner.bottom);
    // A gap between the last row and the button keeps their frames apart.
    LayoutCells(CRect(inner.left, inner.top, inner.right, m_customRect.top - 3));
}

void CFODropColorPaletteControl::LayoutCells(const CRect& area) {
    m_cellArea = area;
    for (int i = 0; i < kCells; ++i)
        m_cells[i].SetRect(CellRectIn(area, i));
}

void CFODropColorPaletteControl::LoadColours() {
    for (int i = 0; i < kCells; ++i)
        m_cells[i].SetColour(TableColour(i));
}

CString CFODropColorPaletteControl::CustomText() const {
    CString text;
    TranslateSkinText(m_customText, text);
    ApplyCaseOption(text, m_textCase);
    BreakFirstNewlineMarker(text);
    return text;
}

void CFODropColorPaletteControl::Relayout() {
    if (m_window && m_window->GetSafeHwnd())
        m_window->Invalidate(false);
}

int CFODropColorPaletteControl::FindCell(COLORREF colour) const {
    for (int i = 0; i < kCells; ++i)
        if (m_cells[i].GetColour() == colour)
            return i;
    return -1;
}

int CFODropColorPaletteControl::CellAt(int x, int y) const {
    for (int i = 0; i < kCells; ++i)
        if (m_cells[i].HitTest(x, y))
            return i;
    return -1;
}

void CFODropColorPaletteControl::DrawFrame(CDC& dc, const CRect& rect, int style) {
    if (style == kFlatFrame)
        dc.Draw3dRect(&rect, m_defaultColour, m_defaultColour);
}

void CFODropColorPaletteControl::Draw(CDC& dc) {
    dc.FillSolidRect(&m_client, RGB(0, 0, 0));
    DrawFrame(dc, m_client, kFlatFrame);
    for (CFOColorCellObj& cell : m_cells)
        cell.Draw(dc);
    const int current = FindCell(m_colour);
    if (current >= 0)
        m_cells[current].DrawSelected(dc);
    DrawCustomButton(dc, current < 0);
    if (m_customPressed)
        DrawCustomPressed(dc);
}

void CFODropColorPaletteControl::DrawCustomButton(CDC& dc, bool showSwatch) {
    dc.FillSolidRect(&m_customRect, RGB(0, 0, 0));
    CRect text = m_customRect;
    if (showSwatch) {
        // The current colour that no cell holds, beside the text.
        CRect swatch(m_customRect.right - 2 - kSwatchWidth, m_customRect.top + 2, m_customRect.right - 2,
                     m_customRect.bottom - 2);
        dc.FillSolidRect(&swatch, m_colour);
        dc.Draw3dRect(&swatch, m_defaultColour, m_defaultColour);
        text.right = swatch.left;
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.SelectObject(&m_font);
    dc.DrawText(CustomText(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CFODropColorPaletteControl::DrawCustomPressed(CDC& dc) { CFOColorCellObj::DrawSelectionFrame(dc, m_customRect); }

void CFODropColorPaletteControl::InvalidateCell(int cell) {
    if (!m_window || !m_window->GetSafeHwnd())
        return;
    CRect area = cell >= 0 && cell < kCells ? m_cells[cell].GetRect() : m_customRect;
    area.InflateRect(2, 2);
    m_window->InvalidateRect(&area, false);
}

void CFODropColorPaletteControl::SetCurrent(COLORREF colour) {
    const int before = FindCell(m_colour);
    m_colour = colour;
    InvalidateCell(before);
    InvalidateCell(FindCell(colour));
}

void CFODropColorPaletteControl::TrackCell(int x, int y) {
    const int cell = CellAt(x, y);
    const bool overCustom = cell < 0 && m_customRect.PtInRect(POINT{x, y});
    if (cell >= 0 && m_cells[cell].GetColour() != m_colour)
        SetCurrent(m_cells[cell].GetColour());
    if (overCustom != m_customPressed) {
        m_customPressed = overCustom;
        InvalidateCell(-1);
    }
}

void CFODropColorPaletteControl::Release(int x, int y) {
    if (m_customPressed) {
        m_customPressed = false;
        InvalidateCell(-1);
    }
    const int cell = CellAt(x, y);
    if (cell >= 0)
        Choose(m_cells[cell].GetColour(), 0);
    else if (m_customRect.PtInRect(POINT{x, y}))
        RequestCustom();
}

bool CFODropColorPaletteControl::OnKey(UINT key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const int at = FindCell(m_colour);
        const int cell = MoveCell(at < 0 ? 0 : at, key);
        SetCurrent(m_cells[cell].GetColour());
        if (!m_finished)
            Post(WM_PALETTE_COLOUR_SELECTED, m_colour, kPalettePreview);
        return true;
    }
    case VK_RETURN: Choose(m_colour, 0); return true;
    case VK_ESCAPE:
    case VK_CANCEL: Cancel(m_colour, 0); return true;
    case VK_TAB: RequestCustom(); return true;
    default: return false;
    }
}

void CFODropColorPaletteControl::Post(UINT message, COLORREF colour, int kind) {
    if (m_notify)
        ::PostMessageW(m_notify, message, static_cast<WPARAM>(colour),
                       MAKELPARAM(static_cast<WORD>(kind), m_serial));
}

void CFODropColorPaletteControl::Finish() {
    m_finished = true;
    if (m_hideOnChoice && m_window && m_window->GetSafeHwnd())
        m_window->ShowWindow(SW_HIDE);
}

void CFODropColorPaletteControl::Choose(COLORREF colour, int kind) {
    if (m_finished)
        return;
    Post(WM_PALETTE_COLOUR_SELECTED, colour, kind);
    Finish();
}

void CFODropColorPaletteControl::Cancel(COLORREF colour, int) {
    if (m_finished)
        return;
    Post(WM_PALETTE_DISMISSED, colour, 0);
    Finish();
}

void CFODropColorPaletteControl::RequestCustom() {
    if (m_finished)
        return;
    Post(WM_PALETTE_CUSTOM_REQUESTED, m_colour, 0);
    Finish();
}

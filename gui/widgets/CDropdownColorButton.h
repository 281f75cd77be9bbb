#pragma once
// The skinned colour picker (skin element COMBOCOLOR): a box filled with
// the current colour, with an optional arrow part; a click (or, for a tab
// stop, Space, F4 or Down) drops the colour palette under it.
//
// What it tells its notify window (the parent unless set):
// - WM_PALETTE_COLOUR_SELECTED (posted; wParam kPalettePreview for a
//   keyboard move in the palette, 0 for a final choice; lParam the colour);
// - WM_GUI_VALUE_PICKED (sent; wParam the colour, lParam the control id)
//   when the palette closes on a colour other than the one it opened with,
//   however it closed (a click, Enter, Escape after moves, the colour dialog);
// - WM_PALETTE_DISMISSED (sent; wParam the colour kept, lParam the control
//   id) after Escape or a cancelled colour dialog.
// Moves with the keys show their colour in the box at once; only a closing
// palette changes what the owner stores.

#include "gui/widgets/CDropdownListItem.h"

#include <memory>

class CFOPopupColorPaletteWnd;

class CDropdownColorButton : public CDropdownListItem {
public:
    static constexpr int kPaletteWidth = 200;
    static constexpr int kPaletteHeight = 150;
    // The arrow part's width that the swatch leaves free.
    static constexpr int kArrowRoom = 18;

    CDropdownColorButton();
    ~CDropdownColorButton() override;

    // The COMBOCOLOR element's builder: null for an unknown name, without
    // CLIST, or when the window cannot be made.
    static CDropdownColorButton* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    virtual COLORREF GetColour() const { return m_colour; }
    // Nothing when unchanged, else stored and repainted.
    virtual void SetColour(COLORREF colour);
    void SetToolTipText(const wchar_t* text) { SetTooltip(text); }

    void SetNotifyWindow(CWnd* window) { m_notify = window; }
    void SetEnabledForPalette(bool enabled) { m_enabledForPalette = enabled; }
    bool HasArrow() const noexcept { return m_hasArrow; }
    bool IsPressed() const noexcept { return m_pressed; }
    bool IsPaletteOpen() const noexcept { return m_paletteOpen; }
    CFOPopupColorPaletteWnd* GetPalette() const noexcept { return m_palette.get(); }

    // Opens the palette, as a click does.
    void OpenList() override;

protected:
    void OnPaint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Whether a message comes from the palette that is open now.
    bool FromOpenPalette(LPARAM lParam) const;
    void DestroyPalette();
    // The palette closed on a colour: the box shows it and the notify
    // window is told, WM_GUI_VALUE_PICKED when it differs from the colour
    // the palette opened with.
    void FinalChoice(COLORREF colour, WPARAM kind);
    void Dismissed(COLORREF colour);
    // The system's colour dialog, starting at a colour.
    void RunColourDialog(COLORREF start);
    void SendPicked(COLORREF colour);
    CWnd* NotifyWindow();

    bool m_pressed = false;
    COLORREF m_colour = 0;
    // What the palette opened with: the colour a closing palette is compared with.
    COLORREF m_colourAtOpen = 0;
    int m_paletteWidth = kPaletteWidth;
    int m_paletteHeight = kPaletteHeight;
    bool m_paletteOpen = false;
    CWnd* m_notify = nullptr;
    bool m_enabledForPalette = true;
    bool m_hasArrow = true;
    std::unique_ptr<CFOPopupColorPaletteWnd> m_palette;
    WORD m_paletteSerial = 0;
};

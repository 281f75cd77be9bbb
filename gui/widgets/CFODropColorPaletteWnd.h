#pragma once
// The window of the colour palette: it hosts the palette control, paints
// it, and hands it the mouse and the keys (arrows, Tab and every other key
// are its own).  Shift+Tab gives the focus back to the tab stop before the
// button that opened the palette.

#include "gui/widgets/CFODropColorPaletteControl.h"
#include "platform/CWnd.h"

class CFODropColorPaletteWnd : public CWnd {
public:
    explicit CFODropColorPaletteWnd(COLORREF defaultColour) : m_control(defaultColour) {}

    CFODropColorPaletteControl& GetControl() noexcept { return m_control; }
    COLORREF GetColour() const noexcept { return m_control.GetColour(); }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSysColorChange() override;

    // The window that asked for the palette (its tab stops are searched for Shift+Tab).
    HWND m_button = nullptr;
    CFODropColorPaletteControl m_control;
};

#pragma once
// The colour palette as a pop-up under (or above) the button that opens
// it: it takes the focus when it opens, and losing activation chooses the
// current colour, as a click on it would.

#include "gui/widgets/CFODropColorPaletteWnd.h"
#include "platform/CRect.h"
#include "platform/CSize.h"

class CFOPopupColorPaletteWnd : public CFODropColorPaletteWnd {
public:
    explicit CFOPopupColorPaletteWnd(COLORREF defaultColour) : CFODropColorPaletteWnd(defaultColour) {}
    ~CFOPopupColorPaletteWnd() override;

    // The window's screen rectangle: below the button from its left edge;
    // above it when the bottom would reach the work area's bottom; moved to
    // end at the button's right edge when it would reach the work area's
    // right edge.
    static CRect PlaceRect(const CRect& button, CSize window, const CRect& workArea);

    // A palette of that client size for the button (screen rectangle), its
    // messages posted to the button's window with the serial.
    bool Create(const CRect& button, COLORREF colour, HWND buttonWindow, int width, int height, WORD serial);

protected:
    void OnActivate(UINT state, CWnd* other, BOOL minimized) override;
};

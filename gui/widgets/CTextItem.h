#pragma once
// The skinned static text of a panel: a label drawn by the item over the
// panel's background, optionally translated, highlighted under the mouse,
// and bound to a check-box button so that a click on the label works the
// check box.

#include "gui/core/CGUIItem.h"
#include "platform/CStatic.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

class CBitmapBtn;
class CFontItem;
class CGUIItems;

class CTextItem : public CStatic, public CGUIItem {
public:
    // The text goes through the language table; the case option applies
    // only to a text the table translated.  The first "\n" marker becomes a
    // line break.
    CTextItem(const wchar_t* text, int caseOption);
    ~CTextItem() override;

    // The TEXTITEM element's builder: null for an unknown name or a window
    // that cannot be made.
    static CTextItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Translated without case change, first marker to a line break, repainted.
    void SetText(const wchar_t* text);
    CString GetText() const { return m_text; }
    void SetTooltip(const wchar_t* text);

    // DrawTextW flags from 'justify' and 'multiline'; 0 is one line at the
    // left, centred vertically by hand.
    static UINT FormatFor(wchar_t justify, bool multiline);
    // Disabled colour when disabled and set, else hover colour when hovered
    // and set, else the text colour; 0 drawn as 0xFEFEFE.
    static COLORREF ChooseColour(bool disabled, bool hover, COLORREF text, COLORREF hoverColour,
                                 COLORREF disabledColour);

    void DrawItem(DRAWITEMSTRUCT* draw) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The owner sets these directly and repaints.
    void SetDisabled(bool disabled) {
        m_disabled = disabled;
        if (disabled)
            m_hover = false;
    }
    bool IsDisabled() const noexcept { return m_disabled; }
    bool IsHovered() const noexcept { return m_hover; }
    CBitmapBtn* GetLinkedCheckBox() const noexcept { return m_checkBox; }
    UINT GetFormat() const noexcept { return m_format; }
    CFontItem* GetFontItem() const noexcept { return m_font; }
    COLORREF GetTextColour() const noexcept { return m_textColour; }
    COLORREF GetHoverColour() const noexcept { return m_hoverColour; }
    COLORREF GetDisabledColour() const noexcept { return m_disabledColour; }

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* newCapture) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlColor) override;

private:
    void SetHover(bool hover);

    CToolTipCtrl m_tooltip;
    CString m_text;
    UINT m_format = 0;
    // Owned by the item list (a FONT item); never deleted here.
    CFontItem* m_font = nullptr;
    bool m_hover = false;
    bool m_disabled = false;
    CBitmapBtn* m_checkBox = nullptr;
    COLORREF m_textColour = 0;
    COLORREF m_hoverColour = 0;
    COLORREF m_disabledColour = 0;
};

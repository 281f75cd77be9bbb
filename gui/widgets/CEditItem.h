#pragma once
// The skinned single-line edit (skin element EDITCTRL): an edit inside a
// one-colour frame, with normal and disabled colours, an optional
// character limit and tooltip, and a digits-only mode with a range.  Every
// change of its text is reported to its owner as WM_EDITITEM_CHANGED with
// the edit's window, and the focus leaving it as the command EN_KILLFOCUS.

#include "gui/skin/AttributeReaders.h"
#include "gui/core/CGUIItem.h"
#include "gui/core/GuiMessages.h"
#include "platform/CBrush.h"
#include "platform/CEdit.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

#include <cstdint>

class CFontItem;
class CGenericPanel;
class CGUIItems;

class CEditItem : public CEdit, public CGUIItem {
public:
    CEditItem();
    ~CEditItem() override;

    // The EDITCTRL element's builder: null for an unknown name or a window
    // that cannot be made.
    static CEditItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The frame at rect grown by the border width, under parent; the edit
    // inside it with the item's id, reporting to parent.
    bool CreateWithBorder(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void Show(bool show) override;
    void SetTooltip(const wchar_t* text);

    // Whether the digits-only mode lets a digit be typed: the current text
    // with the digit appended, read as a number without wrapping, within
    // the range.
    static bool AcceptsDigit(const CString& text, wchar_t digit, uint32_t minValue, uint32_t maxValue);
    // WM_KEYDOWN keys the digits-only mode lets through to the edit (Enter
    // and Escape it leaves to the dialog).
    static bool IsDigitModeKey(UINT key);

    BOOL PreTranslateMessage(MSG* msg) override;

    CGenericPanel* GetBorderPanel() const noexcept { return m_borderPanel; }

    // Where the edit's one line of text sits in its frame: a single-line
    // edit draws its text at its own top, so the edit is made one line high
    // and centred in the frame's inner rectangle (whose fill shows above
    // and below).  An inner rectangle too low for the line stays whole.
    static CRect LineRect(const CRect& inner, int lineHeight);
    // Centres the edit's line in its frame for the font it has now.
    void CentreLineInFrame();

    bool m_numericOnly = false;
    uint32_t m_minValue = 0;
    uint32_t m_maxValue = 0xFFFFFFFF;

    COLORREF m_fontColour = 0xFFFFFF;
    COLORREF m_fontColourHot = 0;
    COLORREF m_backColour = 0;
    COLORREF m_backColourHot = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
    COLORREF m_disabledBackColour = 0;
    COLORREF m_disabledBorderColour = 0;
    COLORREF m_disabledFontColour = 0;
    int m_borderWidth = 1;
    CFontItem* m_font = nullptr;  // owned by the item list

protected:
    // The reading the three edit elements share; singleKey: only five
    // colours, always centred, the keyboard registered for raw input, no
    // tooltip.
    static bool Build(CEditItem* item, const pugi::xml_node& element, CWnd* parent, CGUIItems& items, int32_t id,
                      bool singleKey);
    // A new item of the given class from its element; none for an unknown
    // name or a window that could not be made.
    template <typename Item>
    static Item* CreateOfClass(const pugi::xml_node& element, CWnd* parent, CGUIItems& items, bool singleKey) {
        const int32_t id = ReadNameId(element);
        if (id == -1)
            return nullptr;
        auto* item = new Item;
        if (!Build(item, element, parent, items, id, singleKey)) {
            delete item;
            return nullptr;
        }
        return item;
    }
    void ShowTextAtEnd(const wchar_t* text);

    int OnCreate(CREATESTRUCTW* create) override;
    void OnDestroy() override;
    HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlColor) override;
    BOOL OnReflectedCommand(UINT code) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnRButtonDown(UINT flags, CPoint point) override;

    CToolTipCtrl m_tooltip;
    CGenericPanel* m_borderPanel = nullptr;
    CBrush m_backBrush;
    // The window raw input was registered for, undone when it goes.
    bool m_rawInputClient = false;
    // Set while the owner is told of the focus leaving.
    bool m_tellingOwner = false;
};

#pragma once
// One key of the on-screen keyboard: a check-box-style button that does not
// toggle on click, bound to a key of the key definition, named after it,
// and reporting hover (WM_KEYITEM_HOVER) and clicks (WM_KEYITEM_CLICKED)
// with its symbolic id to its owner.

#include "gui/widgets/CBitmapBtn.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/core/GuiMessages.h"

#include <cstdint>
#include <vector>

class CKeyboardKeyItem : public CBitmapBtn {
public:
    CKeyboardKeyItem();

    // The KBDKEY element's builder.  'pictures' are the list's shared key
    // pictures, which the element's own picture elements replace; 'parent'
    // is the list's picture window (or the loader's parent) and becomes the
    // owner that the key reports to.
    static CKeyboardKeyItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items,
                                               const std::vector<SharedBitmap>& pictures, CWnd* loaderParent);

    // Takes the key's scan code and extended flag from its entry, its
    // virtual key in the current layout, and, without a name of its own,
    // the system's name of the key; the name becomes the tooltip.
    void SetKey();
    // Stores a text as the key's name (the builder's tooltip).
    void SetKeyItemText(const wchar_t* text) { m_keyName = text ? text : L""; }

    // The owner's picture record, nine words.
    void SetBmpInfo(const uint32_t (&record)[9]);
    const uint32_t* GetBmpInfo() const noexcept { return m_bmpInfo; }

    // The bitmap of a key: over while hovered or pressed-highlighted and
    // enabled; otherwise down when checked, else normal.
    static Picture ChooseKeyPicture(bool disabled, bool hover, bool pressedHighlight, bool checked);

    const CKeyboardDef::Record* GetKeyEntry() const noexcept { return m_entry; }
    void SetKeyEntry(const CKeyboardDef::Record* entry) { m_entry = entry && !entry->name.IsEmpty() ? entry : nullptr; }
    const CString& GetKeyName() const noexcept { return m_keyName; }
    int GetVirtualKey() const noexcept { return m_virtualKey; }
    int GetScanCode() const noexcept { return m_scanCode; }
    bool IsExtended() const noexcept { return m_extended != 0; }
    void SetPressedHighlight(bool on) {
        m_pressedHighlight = on ? 1 : 0;
        Repaint();
    }
    bool IsPressedHighlight() const noexcept { return m_pressedHighlight != 0; }

protected:
    Picture StatePicture(bool disabled, bool pressed) const override;
    bool CaptionOverWholeClient() const override { return true; }
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    void Notify(UINT message);

    const CKeyboardDef::Record* m_entry = nullptr;
    CString m_keyName;
    int m_virtualKey = -1;
    int m_scanCode = -1;
    BYTE m_extended = 0;
    BYTE m_pressedHighlight = 0;
    uint32_t m_bmpInfo[9] = {};
};

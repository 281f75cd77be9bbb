#include "config/CTilvorPopupBoxSingleKeyEntry.h"

#include "config/ItemLookup.h"
#include "config/WidgetAccess.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/skin/SymbolIds.h"

CTilvorPopupBoxSingleKeyEntry::CTilvorPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult& result)
    : CPopupBoxSingleKeyEntry(parent, kSkinFile, result) {}

void CTilvorPopupBoxSingleKeyEntry::BindItems() {
    m_keyEdit = FindItem<CGUIItem>(m_items, EDITCTRL_POPUP_SINGLEKEYENTRY, kItemEditSingleKey);
    m_boxes[0] = FindItem<CBitmapBtn>(m_items, BUTTON_CHKBOX_SLCT_SHIFT, kItemBitmapButton);
    m_boxes[1] = FindItem<CBitmapBtn>(m_items, BUTTON_CHKBOX_SLCT_CTRL, kItemBitmapButton);
    m_boxes[2] = FindItem<CBitmapBtn>(m_items, BUTTON_CHKBOX_SLCT_ALT, kItemBitmapButton);
    // The step's own key until another is pressed.
    PresetKeyCapture(m_keyEdit, m_result);
}

void CTilvorPopupBoxSingleKeyEntry::TakeKeyOnOK() {
    if (m_result.text.IsEmpty())
        return;
    KeyEntryResult captured;
    if (ReadKeyCapture(m_keyEdit, captured)) {
        m_result.firstKey = captured.firstKey;
        m_result.secondKey = captured.secondKey;
        m_result.modifiers = captured.modifiers;
    }
    const uint8_t bits[3] = {kModifierShift, kModifierCtrl, kModifierAlt};
    for (int i = 0; i < 3; ++i)
        if (m_boxes[i] && m_boxes[i]->GetCheckState())
            m_result.modifiers |= bits[i];
}

#include "config/CPoldPopupBoxSingleKeyEntry.h"

#include "config/ItemLookup.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CEditItemSingleKeyInputMMO.h"
#include "gui/widgets/CTextItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/SymbolIds.h"

namespace {

constexpr uint8_t kBoxBits[3] = {kModifierShift, kModifierCtrl, kModifierAlt};
constexpr int32_t kBoxIds[3] = {BUTTON_CHKBOX_SLCT_SHIFT, BUTTON_CHKBOX_SLCT_CTRL, BUTTON_CHKBOX_SLCT_ALT};

}  // namespace

CPoldPopupBoxSingleKeyEntry::CPoldPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult& result)
    : CPopupBoxSingleKeyEntry(parent, kSkinFile, result) {}

void CPoldPopupBoxSingleKeyEntry::BindItems() {
    m_keyEdit = FindItem<CGUIItem>(m_items, EDITCTRL_POPUP_SINGLEKEYENTRY, kItemEditSingleKey);
    const int32_t labels[3] = {TEXT_SLCT_SHIFT, TEXT_SLCT_CTRL, TEXT_SLCT_ALT};
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = FindItem<CBitmapBtn>(m_items, kBoxIds[i], kItemBitmapButton);
        m_labels[i] = FindItem<CTextItem>(m_items, labels[i], kItemTextItem);
        if (m_labels[i]) {
            m_labels[i]->SetDisabled(true);
            m_labels[i]->Invalidate();
        }
    }
    m_ok = FindItem<CBitmapBtn>(m_items, BUTTON_POPUP_OK, kItemBitmapButton);
    if (m_ok)
        m_ok->EnableWindow(false);
}

void CPoldPopupBoxSingleKeyEntry::ShowModifiers(uint8_t modifiers) {
    for (int i = 0; i < 3; ++i) {
        const bool set = (modifiers & kBoxBits[i]) != 0;
        if (m_boxes[i])
            m_boxes[i]->SetCheckState(set ? 1 : 0);
        if (m_labels[i]) {
            m_labels[i]->SetDisabled(!set);
            m_labels[i]->Invalidate();
        }
    }
}

void CPoldPopupBoxSingleKeyEntry::OnKeyCaptured() {
    if (m_ok)
        m_ok->EnableWindow(true);
    KeyEntryResult captured;
    if (!ReadKeyCapture(m_keyEdit, captured))
        return;
    const uint8_t shown = captured.modifiers & (kModifierShift | kModifierCtrl | kModifierAlt);
    if (shown != m_lastModifiers) {
        ShowModifiers(shown | m_tickedByHand);
        m_lastModifiers = shown;
    }
    m_result.modifiers = captured.modifiers;
    m_result.firstKey = captured.firstKey;
    m_result.secondKey = captured.secondKey;
}

bool CPoldPopupBoxSingleKeyEntry::OnBoxClicked(int32_t senderId) {
    for (int i = 0; i < 3; ++i) {
        if (senderId != kBoxIds[i] || !m_boxes[i])
            continue;
        const bool ticked = m_boxes[i]->GetCheckState() != 0;
        if (ticked)
            m_tickedByHand |= kBoxBits[i];
        else
            m_tickedByHand &= static_cast<uint8_t>(~kBoxBits[i]);
        if (m_labels[i]) {
            m_labels[i]->SetDisabled(!ticked);
            m_labels[i]->Invalidate();
        }
        return true;
    }
    return false;
}

void CPoldPopupBoxSingleKeyEntry::TakeKeyOnOK() {
    for (int i = 0; i < 3; ++i) {
        if (!m_boxes[i])
            continue;
        if (m_boxes[i]->GetCheckState())
            m_result.modifiers |= kBoxBits[i];
        else
            m_result.modifiers &= static_cast<uint8_t>(~kBoxBits[i]);
    }
}

BOOL CPoldPopupBoxSingleKeyEntry::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (OnBoxClicked(PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBoxSingleKeyEntry::OnCommand(wParam, lParam);
}

LRESULT CPoldPopupBoxSingleKeyEntry::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GUI_VALUE_PICKED) {
        OnKeyCaptured();
        return 0;
    }
    return CPopupBoxSingleKeyEntry::WindowProc(message, wParam, lParam);
}

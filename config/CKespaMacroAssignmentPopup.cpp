#include "config/CKespaMacroAssignmentPopup.h"

#include "config/ItemLookup.h"
#include "config/PopupRules.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/skin/SymbolIds.h"

CKespaMacroAssignmentPopup::CKespaMacroAssignmentPopup(CWnd* parent, const std::vector<CString>& names,
                                                       CString& result, int& playMode)
    : CKespaDropdownSelectPopup(parent, kSkinFile, names, result), m_playMode(playMode) {
    m_playMode = NormalisePlayMode(m_playMode);
}

void CKespaMacroAssignmentPopup::CheckOnly(int mode) {
    for (int m = 1; m <= 4; ++m)
        if (m_modeButtons[m])
            m_modeButtons[m]->SetCheckState(m == mode ? 1 : 0);
}

void CKespaMacroAssignmentPopup::BindItems() {
    BindDropdown();
    for (int mode = 1; mode <= 4; ++mode)
        m_modeButtons[mode] = FindItem<CBitmapBtn>(m_items, PlayModeButton(mode), kItemBitmapButton);
    CheckOnly(m_playMode);
}

void CKespaMacroAssignmentPopup::OnOK() {
    CString chosen;
    if (GetDropdownSelection(m_dropdown, chosen))
        m_result = chosen;
    bool anyChecked = false;
    for (int m = 1; m <= 4; ++m)
        anyChecked = anyChecked || (m_modeButtons[m] && m_modeButtons[m]->GetCheckState());
    if (!anyChecked)
        m_playMode = 1;
    EndDialog(IDOK);
}

HWND CKespaMacroAssignmentPopup::ArrangeTabs() {
    // The play modes in reading order, as the skin lays them out in two rows.
    return ArrangeTabOrder(*this, {LIST_DROPDOWN_POPUP, BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE,
                                   BUTTON_MACRO_PLAY_UNTILPRESSED, BUTTON_MACRO_PLAY_WHILEPRESSED, BUTTON_POPUP_OK,
                                   BUTTON_POPUP_CANCEL});
}

BOOL CKespaMacroAssignmentPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int32_t sender = PopupSenderId(*this, lParam);
    if (RouteOkCancel(*this, sender))
        return TRUE;
    const int mode = PlayModeOfButton(sender);
    if (mode != 0) {
        // A play-mode button acts as a radio button: a click on the checked
        // one (which toggled it off) leaves it checked.
        m_playMode = mode;
        CheckOnly(mode);
        return TRUE;
    }
    return CKespaDropdownSelectPopup::OnCommand(wParam, lParam);
}

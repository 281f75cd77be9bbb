#include "config/CPopupBoxSingleKeyEntry.h"

#include "config/PopupRules.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"

CPopupBoxSingleKeyEntry::CPopupBoxSingleKeyEntry(CWnd* parent, const wchar_t* skinFile, KeyEntryResult& result)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_result(result) {}

BOOL CPopupBoxSingleKeyEntry::PreTranslateMessage(MSG* msg) {
    m_swallow = NextSwallowFlag(m_swallow, *msg);
    return CPopupBox::PreTranslateMessage(msg);
}

BOOL CPopupBoxSingleKeyEntry::OnInitDialog() {
    CPopupBox::OnInitDialog();
    CentrePopup(*this, m_parent);
    if (!m_swallow && m_keyEdit && m_keyEdit->m_itemWindow != CGUIItem::kNoWindowYet) {
        ::SetFocus(m_keyEdit->m_itemWindow);
        return FALSE;
    }
    return TRUE;
}

void CPopupBoxSingleKeyEntry::OnOK() {
    m_result.text = GetItemWindowText(m_keyEdit);
    TakeKeyOnOK();
    if (SingleKeyOkAllowed(m_swallow, m_result.text, m_result.modifiers))
        EndDialog(IDOK);
}

void CPopupBoxSingleKeyEntry::OnCancel() {
    if (m_swallow)
        return;
    ClearOnCancel();
    EndDialog(IDCANCEL);
}

BOOL CPopupBoxSingleKeyEntry::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

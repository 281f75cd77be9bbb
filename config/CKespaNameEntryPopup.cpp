#include "config/CKespaNameEntryPopup.h"

#include "config/ItemLookup.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/widgets/CTextItem.h"
#include "gui/skin/SymbolIds.h"

CKespaNameEntryPopup::CKespaNameEntryPopup(CWnd* parent, const wchar_t* skinFile, CString& result)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_result(result) {}

void CKespaNameEntryPopup::BindItems() {
    m_edit = FindItem<CGUIItem>(m_items, EDITCTRL_POPUP_NAMEENTRY, kItemEdit);
    m_heading = FindItem<CTextItem>(m_items, TEXT_WARNDLG_HEADING, kItemTextItem);
    if (m_heading && !m_result.IsEmpty())
        m_heading->SetText(m_heading->GetText() + L": " + m_result);
}

BOOL CKespaNameEntryPopup::OnInitDialog() {
    CPopupBox::OnInitDialog();
    CentrePopup(*this, m_parent);
    HWND first = ArrangeTabOrder(*this, {EDITCTRL_POPUP_NAMEENTRY, BUTTON_POPUP_OK, BUTTON_POPUP_CANCEL});
    if (m_edit && m_edit->m_itemWindow != CGUIItem::kNoWindowYet) {
        ::SetFocus(m_edit->m_itemWindow);
        ::SendMessageW(m_edit->m_itemWindow, EM_LIMITTEXT, kMaxNameLength, 0);
        return FALSE;
    }
    return FocusFirst(first);
}

void CKespaNameEntryPopup::OnOK() {
    m_result = GetItemWindowText(m_edit).Left(kMaxNameLength);
    EndDialog(IDOK);
}

BOOL CKespaNameEntryPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

#include "config/CKespaNumEntryPopup.h"

#include "config/ItemLookup.h"
#include "config/PopupRules.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/CEditItem.h"
#include "gui/SymbolIds.h"

#include <climits>

CKespaNumEntryPopup::CKespaNumEntryPopup(CWnd* parent, const wchar_t* skinFile, int& result)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_result(result) {}

void CKespaNumEntryPopup::BindItems() { m_edit = FindItem<CGUIItem>(m_items, EDITCTRL_POPUP_NUMENTRY, kItemEdit); }

BOOL CKespaNumEntryPopup::OnInitDialog() {
    CPopupBox::OnInitDialog();
    CentrePopup(*this, m_parent);
    if (m_edit && m_edit->m_itemWindow != CGUIItem::kNoWindowYet) {
        HWND edit = m_edit->m_itemWindow;
        // Digits only (the edit's own filter), and never more than a count
        // can hold.
        if (auto* item = dynamic_cast<CEditItem*>(m_edit)) {
            item->m_numericOnly = true;
            item->m_minValue = 1;
            item->m_maxValue = INT_MAX;
        }
        ::SetWindowTextW(edit, L"");
        ::SetFocus(edit);
        return FALSE;
    }
    return TRUE;
}

void CKespaNumEntryPopup::OnOK() {
    m_result = ParseLeadingNumber(GetItemWindowText(m_edit));
    EndDialog(IDOK);
}

BOOL CKespaNumEntryPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

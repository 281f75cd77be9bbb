#include "config/CKespaNumEntryPopup.h"

#include "config/ItemLookup.h"
#include "config/PopupRules.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/widgets/CEditItem.h"
#include "gui/skin/SymbolIds.h"

CKespaNumEntryPopup::CKespaNumEntryPopup(CWnd* parent, const wchar_t* skinFile, int& result)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_result(result) {}

void CKespaNumEntryPopup::BindItems() { m_edit = FindItem<CGUIItem>(m_items, EDITCTRL_POPUP_NUMENTRY, kItemEdit); }

BOOL CKespaNumEntryPopup::OnInitDialog() {
    CPopupBox::OnInitDialog();
    CentrePopup(*this, m_parent);
    HWND first = ArrangeTabOrder(*this, {EDITCTRL_POPUP_NUMENTRY, BUTTON_POPUP_OK, BUTTON_POPUP_CANCEL});
    if (m_edit && m_edit->m_itemWindow != CGUIItem::kNoWindowYet) {
        HWND edit = m_edit->m_itemWindow;
        // Digits only (the edit's own filter), in the range the keyboard
        // can hold, and no more digits than its largest number has: what
        // the user sees typed is what the keyboard gets.
        if (auto* item = dynamic_cast<CEditItem*>(m_edit)) {
            item->m_numericOnly = true;
            item->m_minValue = kMinEntryNumber;
            item->m_maxValue = kMaxEntryNumber;
        }
        ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(DecimalDigits(kMaxEntryNumber)), 0);
        ::SetWindowTextW(edit, L"");
        return FocusFirst(edit);
    }
    return FocusFirst(first);
}

void CKespaNumEntryPopup::OnOK() {
    const int value = ParseLeadingNumber(GetItemWindowText(m_edit));
    if (value > static_cast<int>(kMaxEntryNumber))
        return;
    m_result = value;
    EndDialog(IDOK);
}

BOOL CKespaNumEntryPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

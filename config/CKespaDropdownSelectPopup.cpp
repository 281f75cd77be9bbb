#include "config/CKespaDropdownSelectPopup.h"

#include "config/ItemLookup.h"
#include "config/PopupRules.h"
#include "config/PopupSupport.h"
#include "config/WidgetAccess.h"
#include "gui/skin/SymbolIds.h"

CKespaDropdownSelectPopup::CKespaDropdownSelectPopup(CWnd* parent, const wchar_t* skinFile,
                                                     const std::vector<CString>& names, CString& result)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_names(names), m_result(result) {}

void CKespaDropdownSelectPopup::BindDropdown() {
    m_dropdown = FindItem<CGUIItem>(m_items, LIST_DROPDOWN_POPUP, kItemDropdownList);
    FillDropdown(m_dropdown, m_names);
    SelectDropdownEntry(m_dropdown, PreselectIndex(m_names, m_result));
}

void CKespaDropdownSelectPopup::BindItems() { BindDropdown(); }

HWND CKespaDropdownSelectPopup::ArrangeTabs() {
    return ArrangeTabOrder(*this, {LIST_DROPDOWN_POPUP, BUTTON_POPUP_OK, BUTTON_POPUP_CANCEL});
}

BOOL CKespaDropdownSelectPopup::OnInitDialog() {
    CPopupBox::OnInitDialog();
    CentrePopup(*this, m_parent);
    return FocusFirst(ArrangeTabs());
}

void CKespaDropdownSelectPopup::OnOK() {
    CString chosen;
    if (GetDropdownSelection(m_dropdown, chosen))
        m_result = chosen;
    EndDialog(IDOK);
}

BOOL CKespaDropdownSelectPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

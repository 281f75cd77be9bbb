#include "config/CKespaWarningDlg.h"

#include "config/ItemLookup.h"
#include "config/PopupSupport.h"
#include "gui/widgets/CTextItem.h"
#include "gui/skin/SymbolIds.h"

CKespaWarningDlg::CKespaWarningDlg(CWnd* parent, const wchar_t* skinFile, const wchar_t* suffix)
    : CPopupBox(kPopupTemplateId, skinFile, parent), m_suffix(suffix ? suffix : L"") {}

void CKespaWarningDlg::BindItems() {
    m_heading = FindItem<CTextItem>(m_items, TEXT_WARNDLG_HEADING, kItemTextItem);
    m_messageLine = FindItem<CTextItem>(m_items, TEXT_WARNDLG_MESSAGE, kItemTextItem);
    if (m_heading && !m_suffix.IsEmpty())
        m_heading->SetText(m_heading->GetText() + m_suffix);
}

BOOL CKespaWarningDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    BindItems();
    if (CTextItem* line = m_messageLine ? m_messageLine : m_heading; line && !m_message.IsEmpty())
        line->SetText(m_message);
    CentrePopup(*this, m_parent);
    return TRUE;
}

BOOL CKespaWarningDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (RouteOkCancel(*this, PopupSenderId(*this, lParam)))
        return TRUE;
    return CPopupBox::OnCommand(wParam, lParam);
}

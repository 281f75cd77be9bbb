#pragma once
// Asks for a name of at most 20 characters.  The result is also the preset:
// when it holds a name, the heading shows it after the skin's text.

#include "gui/core/CPopupBox.h"
#include "platform/CString.h"

class CTextItem;

class CKespaNameEntryPopup : public CPopupBox {
public:
    static constexpr int kMaxNameLength = 20;

    CKespaNameEntryPopup(CWnd* parent, const wchar_t* skinFile, CString& result);

    void BindItems() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CString& m_result;
    CGUIItem* m_edit = nullptr;
    CTextItem* m_heading = nullptr;
};

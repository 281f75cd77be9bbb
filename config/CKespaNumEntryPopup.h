#pragma once
// Asks for a number: the edit takes digits only and starts empty.

#include "gui/CPopupBox.h"

class CKespaNumEntryPopup : public CPopupBox {
public:
    CKespaNumEntryPopup(CWnd* parent, const wchar_t* skinFile, int& result);

    void BindItems() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int& m_result;
    CGUIItem* m_edit = nullptr;
};

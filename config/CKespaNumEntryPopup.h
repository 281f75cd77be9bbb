#pragma once
// Asks for a number from 1 to 255: the edit takes digits only, no more
// than that range allows, and starts empty.

#include "gui/core/CPopupBox.h"

class CKespaNumEntryPopup : public CPopupBox {
public:
    CKespaNumEntryPopup(CWnd* parent, const wchar_t* skinFile, int& result);

    void BindItems() override;
    BOOL OnInitDialog() override;
    // An empty edit gives 0 (the caller refuses it); a number past the
    // range, which only a program could have put there, keeps the popup
    // open rather than being cut down.
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int& m_result;
    CGUIItem* m_edit = nullptr;
};

#pragma once
// The base of the popups that capture one key: an Escape or Enter typed into
// the key edit is the key being captured, so it neither closes nor confirms
// the popup.

#include "config/AssignmentActions.h"
#include "gui/core/CPopupBox.h"

class CPopupBoxSingleKeyEntry : public CPopupBox {
public:
    CPopupBoxSingleKeyEntry(CWnd* parent, const wchar_t* skinFile, KeyEntryResult& result);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // What OK takes from the edit besides its text.
    virtual void TakeKeyOnOK() {}
    // What Cancel clears.
    virtual void ClearOnCancel() { m_result.text.Empty(); }

    KeyEntryResult& m_result;
    CGUIItem* m_keyEdit = nullptr;
    bool m_swallow = false;
};

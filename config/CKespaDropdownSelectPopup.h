#pragma once
// Lets the user pick one of a list of names in a drop-down.  The result is
// also the preset: the entry equal to it is shown first.

#include "gui/core/CPopupBox.h"
#include "platform/CString.h"

#include <vector>

class CKespaDropdownSelectPopup : public CPopupBox {
public:
    CKespaDropdownSelectPopup(CWnd* parent, const wchar_t* skinFile, const std::vector<CString>& names,
                              CString& result);

    void BindItems() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Fills the drop-down and selects the preset.
    void BindDropdown();
    // The popup's tab stops in their order; the first one's window.
    virtual HWND ArrangeTabs();

    std::vector<CString> m_names;
    CString& m_result;
    CGUIItem* m_dropdown = nullptr;
};

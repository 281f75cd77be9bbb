#pragma once
// Picks a macro and how it plays: once, a number of times, until the key is
// pressed again, or while it is held.

#include "config/CKespaDropdownSelectPopup.h"

class CBitmapBtn;

class CKespaMacroAssignmentPopup : public CKespaDropdownSelectPopup {
public:
    static constexpr const wchar_t* kSkinFile = L"SelectMacroPopup.xml";

    CKespaMacroAssignmentPopup(CWnd* parent, const std::vector<CString>& names, CString& result, int& playMode);

    void BindItems() override;
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HWND ArrangeTabs() override;

private:
    void CheckOnly(int mode);

    int& m_playMode;
    CBitmapBtn* m_modeButtons[5] = {};  // by play mode 1-4
};

#pragma once
// The popup that changes the key of a macro step: a key capture edit (it
// starts on the key the caller's result holds) and three modifier check
// boxes that add their bits to the captured key.

#include "config/CPopupBoxSingleKeyEntry.h"

class CBitmapBtn;

class CTilvorPopupBoxSingleKeyEntry : public CPopupBoxSingleKeyEntry {
public:
    static constexpr const wchar_t* kSkinFile = L"EditKeyPopup.xml";

    CTilvorPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult& result);

    void BindItems() override;

protected:
    void TakeKeyOnOK() override;

private:
    CBitmapBtn* m_boxes[3] = {};  // Shift, Ctrl, Alt
};

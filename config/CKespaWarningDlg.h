#pragma once
// A warning or question built from a popup skin file: a heading (the skin's
// text, optionally followed by a suffix such as ": " and a name, or replaced
// by a message) and OK / Cancel.

#include "gui/core/CPopupBox.h"
#include "platform/CString.h"

class CTextItem;

class CKespaWarningDlg : public CPopupBox {
public:
    CKespaWarningDlg(CWnd* parent, const wchar_t* skinFile, const wchar_t* suffix = nullptr);

    // A message shown instead of the heading's skin text.
    void SetText(const wchar_t* message) { m_message = message ? message : L""; }

    void BindItems() override;
    BOOL OnInitDialog() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CString m_suffix;
    CString m_message;
    CTextItem* m_heading = nullptr;
};

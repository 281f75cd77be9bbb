#pragma once
// A warning or question built from a popup skin file: a heading (the skin's
// text, optionally followed by a suffix such as ": " and a name), a message
// line under it, and OK / Cancel.

#include "gui/core/CPopupBox.h"
#include "platform/CString.h"

class CTextItem;

class CKespaWarningDlg : public CPopupBox {
public:
    CKespaWarningDlg(CWnd* parent, const wchar_t* skinFile, const wchar_t* suffix = nullptr);

    // A message for the message line; a skin without one shows it instead
    // of the heading's text.
    void SetText(const wchar_t* message) { m_message = message ? message : L""; }

    void BindItems() override;
    BOOL OnInitDialog() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CString m_suffix;
    CString m_message;
    CTextItem* m_heading = nullptr;
    CTextItem* m_messageLine = nullptr;
};

#pragma once
// A dialog from a dialog template of the program's resources.  The object is
// bound before the dialog's first message, so WM_CREATE reaches it before
// WM_INITDIALOG (OnInitDialog).
//
// DoModal runs a loop of its own: each message is walked through
// PreTranslateMessage from its target window up to the dialog, then offered
// to IsDialogMessage, then translated and dispatched.  The owner is disabled
// while the dialog runs.

#include "platform/CWnd.h"

class CDialog : public CWnd {
public:
    CDialog() noexcept = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) noexcept
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // The result given to EndDialog; -1 when the template is missing, the
    // dialog could not be created, or its window went without EndDialog.
    virtual INT_PTR DoModal();
    // Modeless: the window stays until DestroyWindow.
    virtual bool Create(UINT templateId, CWnd* parent = nullptr);

    // Modal: ends the loop with that result.  Modeless: keeps the result and
    // hides the window (as the system does), leaving its end to the caller.
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // IDOK and IDCANCEL clicks (also Enter and Escape through
    // IsDialogMessage, and WM_CLOSE through the default processing).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND owner);
    HWND ModalOwner() const;
    void RunModalLoop();

    int m_nModalResult = -1;
    bool m_modalRunning = false;
};

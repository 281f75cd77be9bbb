#pragma once
// The notification-area icon: adds it, shows its popup menu, and puts it
// back when the taskbar is created again (the shell restarted, or it was
// not there yet when the program started).

#include "platform/CWnd.h"

#include <shellapi.h>

class CTrayNotifyIcon : public CWnd {
public:
    static constexpr UINT kIconId = 129;
    static constexpr UINT WM_TRAYNOTIFYICON = WM_USER + 100;

    CTrayNotifyIcon();
    ~CTrayNotifyIcon() override;

    // Loads the menu, creates the helper window and adds the icon.  False
    // when the menu or the helper window cannot be made.  An icon the shell
    // refuses now (no taskbar yet) is added when the taskbar appears.
    bool Create(CWnd* owner, const wchar_t* tooltip, HICON icon);

    virtual LRESULT ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnTrayNotification(UINT iconId, UINT mouseMessage, POINT point);
    virtual LRESULT OnTrayNotificationAtCursor(UINT iconId, UINT mouseMessage);

    // Takes a new menu (the old one is destroyed); its popup 0 is shown.
    void SetMenu(HMENU menu);
    HMENU GetMenu() const noexcept { return m_menu; }
    // The popup's default item, by command.
    void SetDefaultMenuItem(UINT id, bool byPosition);

    bool IsAdded() const noexcept { return m_added; }
    int GetVersion() const noexcept { return m_version; }
    const NOTIFYICONDATAW& GetIconData() const noexcept { return m_data; }
    // The registered "TaskbarCreated" message.
    static UINT TaskbarCreatedMessage();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool AddIcon();

    HWND m_helper = nullptr;
    NOTIFYICONDATAW m_data = {};
    bool m_added = false;
    CWnd* m_owner = nullptr;
    HMENU m_menu = nullptr;
    UINT m_defaultItem = 0;
    bool m_defaultByPosition = true;
    int m_version = 0;
};

#include "tray/CTrayNotifyIcon.h"

#include "tray/TrayDecisions.h"
#include "tray/TrayResources.h"

#include <shlwapi.h>

namespace {
const wchar_t kHelperClass[] = L"TrayNotifyIconClass";
const wchar_t kHelperTitle[] = L"CTrayNotifyIcon Helper Window";

DWORD SystemMajorVersion() {
    // The version the system reports to this program (manifest rules aside).
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        return 0;
#pragma GCC diagnostic pop
    return info.dwMajorVersion;
}

DWORD ShellMajorVersion() {
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (!shell)
        return 0;
    DWORD major = 0;
    auto get = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (get && SUCCEEDED(get(&info)))
        major = info.dwMajorVersion;
    FreeLibrary(shell);
    return major;
}
}  // namespace

UINT CTrayNotifyIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

CTrayNotifyIcon::CTrayNotifyIcon() {
    DWORD system = SystemMajorVersion();
    m_version = ChooseNotifyIconVersion(system, system > 5 ? 0 : ShellMajorVersion());
    m_data.cbSize = NotifyIconDataSize(m_version);
}

CTrayNotifyIcon::~CTrayNotifyIcon() {
    if (m_added)
        Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_added = false;
    if (m_helper && ::IsWindow(m_helper))
        ::SendMessageW(m_helper, WM_CLOSE, 0, 0);
    m_helper = nullptr;
    if (m_menu)
        DestroyMenu(m_menu);
    m_menu = nullptr;
}

void CTrayNotifyIcon::SetMenu(HMENU menu) {
    if (m_menu && m_menu != menu)
        DestroyMenu(m_menu);
    m_menu = menu;
}

void CTrayNotifyIcon::SetDefaultMenuItem(UINT id, bool byPosition) {
    m_defaultItem = id;
    m_defaultByPosition = byPosition;
    if (HMENU popup = m_menu ? GetSubMenu(m_menu, 0) : nullptr)
        SetMenuDefaultItem(popup, m_defaultItem, m_defaultByPosition ? TRUE : FALSE);
}

bool CTrayNotifyIcon::AddIcon() {
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_added = Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
    if (m_added && m_version > 0) {
        NOTIFYICONDATAW version = m_data;
        version.uVersion = NOTIFYICON_VERSION;
        Shell_NotifyIconW(NIM_SETVERSION, &version);
    }
    return m_added;
}

bool CTrayNotifyIcon::Create(CWnd* owner, const wchar_t* tooltip, HICON icon) {
    m_owner = owner;
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (!menu || !GetSubMenu(menu, 0)) {
        if (menu)
            DestroyMenu(menu);
        return false;
    }
    SetMenu(menu);
    SetDefaultMenuItem(m_defaultItem, m_defaultByPosition);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHelperClass;
    RegisterClassW(&wc);
    m_helper = CreateWindowExW(0, kHelperClass, kHelperTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, wc.hInstance, nullptr);
    if (!m_helper)
        return false;
    // The helper's messages reach this object ("TaskbarCreated" among them).
    SubclassWindow(m_helper);

    m_data.hWnd = owner ? owner->GetSafeHwnd() : nullptr;
    m_data.uID = kIconId;
    m_data.uCallbackMessage = WM_TRAYNOTIFYICON;
    m_data.hIcon = icon;
    CopyBounded(m_data.szTip, 128, tooltip);
    AddIcon();
    return true;
}

LRESULT CTrayNotifyIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ProcessWindowMessage(message, wParam, lParam);
}

LRESULT CTrayNotifyIcon::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TaskbarCreatedMessage() && message != 0) {
        if (m_added) {
            NOTIFYICONDATAW remove = m_data;
            remove.uFlags = 0;
            Shell_NotifyIconW(NIM_DELETE, &remove);
            m_added = false;
        }
        AddIcon();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CTrayNotifyIcon::OnTrayNotification(UINT iconId, UINT mouseMessage, POINT point) {
    if (iconId != kIconId)
        return 0;
    HMENU popup = m_menu ? GetSubMenu(m_menu, 0) : nullptr;
    HWND owner = m_owner ? m_owner->GetSafeHwnd() : nullptr;
    if (mouseMessage == WM_RBUTTONUP) {
        if (!popup || !owner)
            return 1;
        // The menu closes as it should only while its owner is in front;
        // the window the user was in gets the front back afterwards, so
        // typing does not go to the hidden owner.
        HWND previous = ::GetForegroundWindow();
        ::SetForegroundWindow(owner);
        TrackPopupMenu(popup, TPM_LEFTBUTTON, point.x, point.y, 0, owner, nullptr);
        ::PostMessageW(owner, WM_NULL, 0, 0);
        if (HWND back = ForegroundAfterMenu(previous, owner, ::GetForegroundWindow(), ::IsWindow(previous) != FALSE))
            ::SetForegroundWindow(back);
    } else if (mouseMessage == WM_LBUTTONDBLCLK) {
        if (!owner)
            return 1;
        ::SetForegroundWindow(owner);
        UINT item = popup ? GetMenuDefaultItem(popup, FALSE, GMDI_GOINTOPOPUPS) : static_cast<UINT>(-1);
        if (item != static_cast<UINT>(-1))
            ::SendMessageW(owner, WM_COMMAND, item, 0);
    }
    return 1;
}

LRESULT CTrayNotifyIcon::OnTrayNotificationAtCursor(UINT iconId, UINT mouseMessage) {
    POINT point = {};
    GetCursorPos(&point);
    return OnTrayNotification(iconId, mouseMessage, point);
}

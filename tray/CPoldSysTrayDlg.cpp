#include "tray/CPoldSysTrayDlg.h"

#include "gui/skin/CLangTable.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/LanguageNames.h"
#include "gui/skin/SkinLoader.h"
#include "platform/CWinApp.h"
#include "tray/CAboutDlg.h"
#include "tray/CDelayTimer.h"
#include "tray/CDeviceManager.h"
#include "tray/CDpiEventConnection.h"
#include "tray/CLaunchAppEventConnection.h"
#include "tray/CMacroEventConnection.h"
#include "tray/COsdWindow.h"
#include "tray/CPcManager.h"
#include "tray/CProfileEventConnection.h"
#include "tray/TrayMenu.h"
#include "tray/TrayResources.h"

#include <dbt.h>
#include <shellapi.h>
#include <wtsapi32.h>

namespace {
template <typename T>
void DeleteAndClear(T*& connection) {
    delete connection;
    connection = nullptr;
}
}  // namespace

CPoldSysTrayDlg::CPoldSysTrayDlg(CDeviceConnection::Factory factory)
    : CDialog(IDD_POLDSYSTRAY_DIALOG), m_connection(std::move(factory)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    m_hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_trayIconImage = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAY_ICON), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    m_comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    // The service's interfaces marshal through proxy code linked into the
    // program, registered for this apartment.
    m_proxies = std::make_unique<CProxyStubRegistration>();
}

CPoldSysTrayDlg::~CPoldSysTrayDlg() {
    if (CWinApp* app = AfxGetApp())
        if (app->m_pMainWnd == this)
            app->m_pMainWnd = nullptr;
    DeleteConnections();
    // The service's objects go before the apartment that holds them.
    m_connection.Release();
    if (m_osdMarker) {
        COsdWindow::Release();
        m_osdMarker.reset();
    }
    GetRawInputDevices().UnregisterAll(nullptr);
    m_proxies.reset();
    if (m_comInitialised)
        CoUninitialize();
    m_comInitialised = false;
    // The language tables go with the items; nothing may translate through them.
    CLangTable::SetCurrent(nullptr);
}

BOOL CPoldSysTrayDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    wchar_t aboutText[128] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, aboutText, 128) > 0) {
        if (HMENU system = GetSystemMenu(false)) {
            AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(system, MF_STRING, kAboutCommand, aboutText);
        }
    }
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    SetApplicationDirectory(GetModuleDirectory());
    LoadLanguage();

    CString tooltip;
    if (!TranslateTrayText(L"$MobekTilvor", tooltip))
        tooltip = L"Mobek Tilvor";
    if (!m_trayIcon.Create(this, tooltip, m_trayIconImage)) {
        AfxMessageBox(L"Failed to create tray icon 1", MB_ICONHAND);
        return -1;
    }

    m_osdMarker.reset(new char(0));
    if (FAILED(COsdWindow::CreateOsdWindows(GetModuleHandleW(nullptr)))) {
        // Runs on without the display; its COM initialisation is undone
        // only when it was made.
        COsdWindow::Release();
        m_osdMarker.reset();
    }

    SetTimer(kSwitchTimer, kSwitchPeriodMs);
    m_deviceNotification = nullptr;
    RegisterForDeviceNotification();
    WTSRegisterSessionNotification(m_hWnd, NOTIFY_FOR_THIS_SESSION);
    ConnectEvents();
    return TRUE;
}

void CPoldSysTrayDlg::LoadLanguage() {
    LoadXmlDescription(&m_languageItems, L"Language.xml", this, false);
    CString language;
    int32_t languageId = 0;
    if (ReadLanguageSetting(language))
        languageId = LanguageIdFromName(language);
    if (CLangTable* table = CLangTable::FindByLanguageId(languageId))
        CLangTable::SetCurrent(table);
}

void CPoldSysTrayDlg::RegisterForDeviceNotification() {
    if (m_deviceNotification)
        return;
    m_deviceNotification = RegisterKeyboardNotification(m_hWnd);
}

bool CPoldSysTrayDlg::IsDevicePresent() {
    // A new manager that found no keyboard has just asked; a kept one asks again.
    return m_connection.Run(
        [](CDeviceManager& manager) { return manager.IsDevicePresent() && manager.CheckDevicePresent(); });
}

bool CPoldSysTrayDlg::AreEventsConnected() const noexcept {
    return m_profileConnection && m_macroConnection && m_launchConnection;
}

void CPoldSysTrayDlg::DeleteConnections() {
    DeleteAndClear(m_dpiConnection);
    DeleteAndClear(m_profileConnection);
    DeleteAndClear(m_macroConnection);
    DeleteAndClear(m_launchConnection);
}

void CPoldSysTrayDlg::ConnectEvents() {
    if (AreEventsConnected())
        return;
    m_connection.Run([this](CDeviceManager& manager) {
        if (!m_profileConnection)
            m_profileConnection = manager.ConnectProfileEvents(this);
        if (!m_macroConnection)
            m_macroConnection = manager.ConnectMacroEvents(this);
        if (!m_launchConnection)
            m_launchConnection = manager.ConnectLaunchAppEvents(this);
        // All three or none.
        if (!AreEventsConnected())
            DeleteConnections();
        return AreEventsConnected();
    });
}

void CPoldSysTrayDlg::DisconnectEvents() {
    if (AreEventsConnected())
        DeleteConnections();
}

void CPoldSysTrayDlg::RunServiceAction(ServiceAction action) {
    switch (action) {
    case ServiceAction::Start:
        SetTimer(kSwitchTimer, kSwitchPeriodMs);
        ConnectEvents();
        break;
    case ServiceAction::StopAndCancel:
        KillTimer(kSwitchTimer);
        DisconnectEvents();
        OnMacroRecordingCanceled();
        m_connection.Release();
        break;
    case ServiceAction::StopAndEnd:
        KillTimer(kSwitchTimer);
        EndMacroRecording();
        DisconnectEvents();
        m_connection.Release();
        break;
    case ServiceAction::CheckPresence:
        if (!IsDevicePresent())
            RunServiceAction(ServiceAction::StopAndEnd);
        break;
    case ServiceAction::None:
        break;
    }
}

BOOL CPoldSysTrayDlg::OnDeviceChange(UINT event, DWORD_PTR data) {
    ServiceAction action =
        DeviceChangeAction(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data), KEYBOARD_VENDOR_ID);
    if (action != ServiceAction::None)
        PostMessage(WM_SERVICE_ACTION, static_cast<WPARAM>(action), 0);
    return TRUE;
}

void CPoldSysTrayDlg::OnSessionChange(UINT code, UINT) {
    ServiceAction action = SessionChangeAction(code);
    if (action != ServiceAction::None)
        PostMessage(WM_SERVICE_ACTION, static_cast<WPARAM>(action), 0);
}

LRESULT CPoldSysTrayDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CTrayNotifyIcon::WM_TRAYNOTIFYICON)
        return OnTrayNotify(wParam, lParam);
    if (message == WM_SERVICE_ACTION) {
        RunServiceAction(static_cast<ServiceAction>(wParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPoldSysTrayDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    if (id == ID_CLOSE_TRAY_ICON) {
        Exit(false);
        return TRUE;
    }
    if (id == ID_LOAD_CONFIG) {
        OnLoadConfig();
        return TRUE;
    }
    if (id >= ID_PROFILE_FIRST && id <= ID_PROFILE_LAST) {
        SelectProfile(static_cast<int>(id - ID_PROFILE_FIRST));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPoldSysTrayDlg::OnLoadConfig() {
    if (!IsConfigProgramRunning())
        LaunchConfigProgram();
}

void CPoldSysTrayDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

void CPoldSysTrayDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CPoldSysTrayDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CPoldSysTrayDlg::RefreshProfileNames() {
    m_connection.Run([this](CDeviceManager& manager) { return manager.GetProfileNames(m_profileNames); });
}

LRESULT CPoldSysTrayDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    UINT id = static_cast<UINT>(iconId);
    UINT mouse = static_cast<UINT>(mouseMessage);
    switch (mouse) {
    case WM_LBUTTONDBLCLK:
        KillTimer(kClickTimer);
        m_clickTimer = 0;
        OnLoadConfig();
        break;
    case WM_RBUTTONUP:
        RefreshProfileNames();
        BuildTrayMenu(m_profileNames);
        m_trayIcon.OnTrayNotificationAtCursor(id, mouse);
        break;
    case WM_LBUTTONDOWN:
        GetCursorPos(&m_clickPoint);
        m_clickTimer = SetTimer(kClickTimer, GetDoubleClickTime());
        m_trayIcon.OnTrayNotificationAtCursor(id, mouse);
        break;
    default:
        m_trayIcon.OnTrayNotificationAtCursor(id, mouse);
        break;
    }
    return 0;
}

void CPoldSysTrayDlg::BuildTrayMenu(const CStringArray& names) {
    CString active;
    m_connection.Run([&active](CDeviceManager& manager) { return manager.GetActiveProfile(active); });

    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    HMENU popup = menu ? GetSubMenu(menu, 0) : nullptr;
    if (!popup) {
        if (menu)
            DestroyMenu(menu);
        return;
    }
    CString loadText, closeText;
    bool haveLoad = TranslateTrayText(L"$LoadMobekTilvor", loadText);
    bool haveClose = TranslateTrayText(L"$CloseTrayIcon", closeText);
    FillTrayMenu(popup, names, active, haveLoad ? static_cast<const wchar_t*>(loadText) : nullptr,
                 haveClose ? static_cast<const wchar_t*>(closeText) : nullptr);
    // FillTrayMenu made "Load" the default item.
    m_trayIcon.SetMenu(menu);
}

void CPoldSysTrayDlg::SelectProfile(int index) {
    if (index < 0 || index >= m_profileNames.GetSize())
        return;
    const CString name = m_profileNames[index];
    bool show = false;
    m_connection.Run([&](CDeviceManager& manager) {
        _Profile_Setting_ setting;
        bool haveSetting = manager.GetProfileSetting(name, setting);
        bool selected = manager.SetActiveProfile(name);
        show = selected && haveSetting && setting.showOsd == 1;
        return selected;
    });
    if (show)
        ShowProfileOsd(name);
}

void CPoldSysTrayDlg::ShowProfileOsd(const CString& name) {
    if (m_osdMarker)
        COsdWindow::Show(name);
}

void CPoldSysTrayDlg::OnTimer(UINT_PTR id) {
    if (id == kSwitchTimer) {
        OnAutoSwitchTimer();
    } else if (id == kClickTimer && id == m_clickTimer) {
        KillTimer(kClickTimer);
        m_clickTimer = 0;
        RefreshProfileNames();
        BuildTrayMenu(m_profileNames);
        m_trayIcon.OnTrayNotification(CTrayNotifyIcon::kIconId, WM_RBUTTONUP, m_clickPoint);
    }
    CDialog::OnTimer(id);
}

void CPoldSysTrayDlg::OnAutoSwitchTimer() {
    bool switched = false;
    CString target;
    bool showOsd = false;
    m_connection.Run([&](CDeviceManager& manager) {
        switched = false;
        if (!manager.IsDevicePresent() || !manager.GetProfileSettings(m_profileSettings))
            return false;
        const _Profile_Setting_* entry = FindAutoSwitchProfile(m_profileSettings, IsForegroundApplication);
        // The active profile matters only once a program in front asks for
        // one: an idle tick does not read it.
        CString active;
        if (!entry || !manager.GetActiveProfile(active) || entry->name == active)
            return false;
        target = entry->name;
        showOsd = entry->showOsd == 1;
        switched = true;
        manager.SetActiveProfile(target);
        return true;
    });
    if (switched && showOsd)
        ShowProfileOsd(target);
}

void CPoldSysTrayDlg::OnProfileChanged(ULONG) {
    CString active;
    bool show = false;
    m_connection.Run([&](CDeviceManager& manager) {
        _Profile_Setting_ setting;
        show = manager.GetActiveProfile(active) && manager.GetProfileSetting(active, setting) &&
               setting.showOsd == 1;
        return show;
    });
    if (show)
        ShowProfileOsd(active);
}

void CPoldSysTrayDlg::OnDpiChanged(LONG, LONG) {}

void CPoldSysTrayDlg::OnMacroRecordingStarted() {
    m_connection.Run([](CDeviceManager& manager) { return manager.StartMacroRecording(); });
    GetDelayTimer().Start(GetTickCount());
    CRawInputDevices& rawInput = GetRawInputDevices();
    rawInput.AddUsage(CRawInputDevices::kUsageKeyboard);
    rawInput.AddUsage(CRawInputDevices::kUsageMouse);
    rawInput.RegisterAll(m_hWnd);
}

void CPoldSysTrayDlg::StopCapture(bool keepEvents) {
    GetRawInputDevices().UnregisterAll(m_hWnd);
    GetDelayTimer().Stop();
    if (!keepEvents)
        GetDelayTimer().Clear();
}

void CPoldSysTrayDlg::OnMacroRecordingStopped() {
    m_connection.Run([](CDeviceManager& manager) { return manager.StopMacroRecording(); });
    // The events wait for the saved stage.
    StopCapture(true);
}

void CPoldSysTrayDlg::OnMacroRecordingSaved(ULONG first, ULONG keyId) {
    m_connection.Run([=](CDeviceManager& manager) { return manager.SaveRecordedMacro(first, keyId); });
    // Saved may come without stopped: the capture ends here in any case.
    StopCapture(false);
}

void CPoldSysTrayDlg::OnMacroRecordingCanceled() {
    m_connection.Run([](CDeviceManager& manager) { return manager.CancelMacroRecording(); });
    StopCapture(false);
}

void CPoldSysTrayDlg::EndMacroRecording() {
    m_connection.Run([](CDeviceManager& manager) { return manager.EndMacroRecording(); });
    StopCapture(false);
}

void CPoldSysTrayDlg::OnLaunchApplication(ULONG kind, const wchar_t* path) {
    if (kind == 1 && path)
        ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void CPoldSysTrayDlg::OnRawInput(UINT code, HRAWINPUT input) {
    ProcessRawInput(input, GetDelayTimer());
    CDialog::OnRawInput(code, input);
}

void CPoldSysTrayDlg::OnClose() { Exit(true); }

void CPoldSysTrayDlg::Exit(bool fromClose) {
    if (m_osdMarker) {
        COsdWindow::Release();
        m_osdMarker.reset();
    }
    OnMacroRecordingCanceled();
    DisconnectEvents();
    m_connection.Release();
    WTSUnRegisterSessionNotification(m_hWnd);
    if (m_deviceNotification && UnregisterDeviceNotification(m_deviceNotification))
        m_deviceNotification = nullptr;
    KillTimer(kSwitchTimer);
    if (fromClose)
        Default();
    DestroyWindow();
}

void CPoldSysTrayDlg::PostNcDestroy() {
    CDialog::PostNcDestroy();
    delete this;
}

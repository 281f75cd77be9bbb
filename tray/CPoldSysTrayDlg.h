#pragma once
// The tray program's hidden dialog: it owns the notification-area icon, the
// connection and the event connections to the keyboard service, the
// on-screen display, the timer of automatic profile switching and the
// on-the-fly macro capture, and starts and stops the service-dependent work
// as the keyboard and the user's session come and go.

#include "gui/core/CGUIItems.h"
#include "platform/CDialog.h"
#include "platform/CStringArray.h"
#include "service/CProxyStubRegistration.h"
#include "tray/CDeviceConnection.h"
#include "tray/CTrayNotifyIcon.h"
#include "tray/EventHandlers.h"
#include "tray/TrayDecisions.h"
#include "tray/TrayTypes.h"

#include <memory>
#include <vector>

class CDpiEventConnection;
class CProfileEventConnection;
class CMacroEventConnection;
class CLaunchAppEventConnection;

class CPoldSysTrayDlg : public CDialog,
                        public IDpiEventHandler,
                        public IProfileEventHandler,
                        public IMacroEventHandler,
                        public ILaunchAppEventHandler {
public:
    static constexpr UINT_PTR kSwitchTimer = 700;
    static constexpr UINT kSwitchPeriodMs = 5000;
    static constexpr UINT_PTR kClickTimer = 701;
    static constexpr UINT kAboutCommand = 0x10;
    // Work a sent notification asked for, done from the message loop: a
    // sent message from another process cannot make calls to the service.
    static constexpr UINT WM_SERVICE_ACTION = WM_APP + 1;

    // factory: how the connection makes its manager (null: the service by its class).
    explicit CPoldSysTrayDlg(CDeviceConnection::Factory factory = nullptr);
    ~CPoldSysTrayDlg() override;

    BOOL OnInitDialog() override;

    void ConnectEvents();
    void DisconnectEvents();
    bool AreEventsConnected() const noexcept;
    void RegisterForDeviceNotification();
    // Asks the service whether the keyboard is there.
    bool IsDevicePresent();
    void LoadLanguage();
    void BuildTrayMenu(const CStringArray& names);
    void SelectProfile(int index);
    void ShowProfileOsd(const CString& name);
    // The keyboard went away: LED off, capture dropped, device mode untouched.
    void EndMacroRecording();
    void RunServiceAction(ServiceAction action);

    void OnDpiChanged(LONG x, LONG y) override;
    void OnProfileChanged(ULONG value) override;
    void OnMacroRecordingStarted() override;
    void OnMacroRecordingStopped() override;
    void OnMacroRecordingCanceled() override;
    void OnMacroRecordingSaved(ULONG first, ULONG keyId) override;
    void OnLaunchApplication(ULONG kind, const wchar_t* path) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;
    BOOL OnDeviceChange(UINT event, DWORD_PTR data) override;
    void OnSessionChange(UINT code, UINT sessionId) override;
    void OnTimer(UINT_PTR id) override;
    void OnClose() override;
    void OnRawInput(UINT code, HRAWINPUT input) override;
    void PostNcDestroy() override;

private:
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    void OnLoadConfig();
    void OnAutoSwitchTimer();
    void RefreshProfileNames();
    void Exit(bool fromClose);
    // Raw input off and no more events taken; keepEvents for the saved stage.
    void StopCapture(bool keepEvents);
    void DeleteConnections();

    HICON m_hIcon = nullptr;
    HICON m_trayIconImage = nullptr;
    CTrayNotifyIcon m_trayIcon;
    CStringArray m_profileNames;
    std::vector<_Profile_Setting_> m_profileSettings;
    UINT_PTR m_clickTimer = 0;
    std::unique_ptr<char> m_osdMarker;
    HDEVNOTIFY m_deviceNotification = nullptr;
    CDeviceConnection m_connection;
    CDpiEventConnection* m_dpiConnection = nullptr;
    CProfileEventConnection* m_profileConnection = nullptr;
    CMacroEventConnection* m_macroConnection = nullptr;
    CLaunchAppEventConnection* m_launchConnection = nullptr;
    CGUIItems m_languageItems;
    POINT m_clickPoint = {};

    bool m_comInitialised = false;
    std::unique_ptr<CProxyStubRegistration> m_proxies;
};

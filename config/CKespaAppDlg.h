#pragma once
// The configuration program's main window: a skinned panel holding the
// pages (key assignment with the keyboard layout, profiles, macros,
// lighting), which reads the keyboard when it opens and writes the
// configuration store to it on Apply and OK.  What spans pages lives here
// (loading and binding, the page buttons, Apply, OK and Cancel, the timers
// and device notifications); each page's own logic lives in its page object
// (CDialogPage), which the window routes its commands and messages to.

#include "config/CDialogPage.h"
#include "config/CKeysPage.h"
#include "config/CLightingEditor.h"
#include "config/CLightingPage.h"
#include "config/CMacrosPage.h"
#include "config/CProfilesPage.h"
#include "config/CVersionTexts.h"
#include "gui/core/CGUIPanel.h"
#include "model/device/CServiceLighting.h"
#include "model/device/IGenDevice.h"
#include "model/store/IKeyboardConfig.h"
#include "platform/CString.h"

#include <dbt.h>

class CBitmapBtn;

// Is this WM_DEVICECHANGE the keyboard leaving?  Removal of a device
// interface whose path names the keyboard (IsKeyboardDevicePath).
bool IsKeyboardRemoval(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId);

class CKespaAppDlg : public CGUIPanel, private IPageHost {
public:
    static constexpr UINT kTemplateId = 102;
    static constexpr UINT_PTR kNoDeviceTimer = 1;
    // Watches a started write until the keyboard says how it ended.
    static constexpr UINT_PTR kWriteWatchTimer = 2;

    enum PageFlags { kPageKeys = 0x11, kPageProfiles = 2, kPageMacros = 4, kPageLighting = 8, kPageLayout = 0x10 };

    CKespaAppDlg(IKeyboardConfig* config, IGenDevice* device);
    ~CKespaAppDlg() override;

    // Held by start-up until this window exists, then released here.
    void SetStartupMutex(HANDLE mutex) { m_startupMutex = mutex; }

    void BindItems() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void ShowPage(int flags);
    void SetDirty(int flag) override;
    bool SaveToDevice();
    void RefreshAll();
    void RefreshPages() override;
    void SnapshotSettings();
    void RestoreSettings();
    // The profile the pages edit, and the keyboard's once it is applied.
    void SwitchProfile(IKeyboardProfile* profile) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnNcMouseMove(UINT hitTest, CPoint screenPoint) override;
    HCURSOR OnQueryDragIcon() override;
    BOOL OnHelpInfo(HELPINFO* info) override;
    BOOL OnDeviceChange(UINT event, DWORD_PTR data) override;

private:
    // One row of the page table: the page buttons and what they show.
    struct PageRow {
        int bits;             // kPage... flags that choose the row
        int32_t tabId;        // its page button
        CDialogPage* page;
        CBitmapBtn* tab;      // bound by BindItems
    };

    // IPageHost
    IKeyboardConfig& Store() override { return *m_config; }
    IGenDevice* Device() override { return m_device; }
    CWnd& Window() override { return *this; }
    bool IsDirty() override { return m_dirty != 0; }
    bool WaitWhileWriting() override;
    void ClearAssignmentsTo(const DeletedTarget& target) override { m_keys.ClearAssignmentsTo(target); }
    void EnableMainControls(bool enable) override;
    void ApplyLighting() override { m_lighting.ApplyLighting(); }

    void LoadPages();
    void ShowNoDeviceWarning();
    void ShowWriteFailedWarning();
    // The footer's firmware and program versions; without a keyboard the
    // firmware says there is none.
    void ShowVersions(bool keyboard);
    void OpenManual();
    bool IsRecordingMacro() const;
    // OK: waits for a running transfer, writes, and waits for the write;
    // true when the keyboard took the configuration.
    bool SaveAndWait();
    bool WaitWhileBusy(DWORD timeoutMs);
    void CheckWriteResult();
    // The page object that owns the item with this window; null when none does.
    CDialogPage* PageOf(HWND itemWindow);

    IKeyboardConfig* m_config;
    IGenDevice* m_device;
    // The keyboard's lighting, changed at once; what the lighting spans.
    CServiceLighting m_keyboardLighting;
    CLightingEditor m_lighting;
    // What the keyboard will show once the write that runs succeeds.
    LightingSnapshot m_writtenLighting;
    CKeysPage m_keys;
    CProfilesPage m_profiles;
    CMacrosPage m_macros;
    CLightingPage m_lightingPage;
    PageRow m_pages[4];
    CDialogPage* m_currentPage = nullptr;
    UINT_PTR m_noDeviceTimer = 0;
    int m_dirty = 0;

    CGUIItem* m_okButton = nullptr;
    CGUIItem* m_cancelButton = nullptr;
    CBitmapBtn* m_applyButton = nullptr;
    CVersionTexts m_versions;

    HDEVNOTIFY m_deviceNotify = nullptr;
    HICON m_icon = nullptr;
    HANDLE m_startupMutex = nullptr;
    bool m_warningOpen = false;
};

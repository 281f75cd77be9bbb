#pragma once
// The configuration program's main window: a skinned panel holding the
// pages (key assignment with the keyboard layout, profiles, macros,
// lighting), which reads the keyboard when it opens and writes the
// configuration store to it on Apply and OK.

#include "config/AssignmentActions.h"
#include "gui/CBitmapWindow.h"
#include "gui/CGUIPanel.h"
#include "model/IGenDevice.h"
#include "model/IKeyboardConfig.h"
#include "platform/CString.h"

#include <dbt.h>

#include <vector>

class CBitmapBtn;
class CBitmapItem;
class CDropdownListItem;
class CKeyboardKeyItem;
class CTextItem;

// Is this WM_DEVICECHANGE the keyboard leaving?  Removal of a device
// interface whose path names the keyboard's vendor id and "PID_010F".
bool IsKeyboardRemoval(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId);

class CKespaAppDlg : public CGUIPanel {
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
    void SetDirty(int flag);
    bool SaveToDevice();
    void RefreshAll();
    void RefreshPages();
    void SnapshotSettings();
    void RestoreSettings();
    // The profile the pages edit, and the keyboard's once it is applied.
    void SwitchProfile(IKeyboardProfile* profile);
    void FillProfileDropdown(CDropdownListItem* dropdown);

    // The key-assignment page.
    void EnableAssignmentButtons(bool enable);
    void UpdateKeyMarks();
    void RefreshKeyPage();
    void FormatAssignmentText(CKeyboardKeyItem* key);
    void OnKeyHover(int32_t id);
    void OnKeyClicked(int32_t id);
    void ClearAssignmentsTo(const DeletedTarget& target);

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

    int32_t KeyIdOf(const CKeyboardKeyItem* key) const;
    KeyAssignment DefaultRecordOf(int32_t keyId) const;
    std::vector<CKeyboardKeyItem*> KeyItems() const;
    void ClearInfoWindow();
    // The key window shows what the selected (or else the hovered) key does now.
    void RefreshInfoWindow();
    void OnDropdownChoice(int index, HWND dropdown);
    void EndAssignment(bool releaseCapture);
    void StoreForSelectedKey(const KeyAssignment& record, bool checked);

    void AssignDefault();
    void AssignSingleKey();
    void AssignMacro();
    void AssignProfile();
    void AssignProgram();
    void AssignDisabled();
    void ResetProfile();

    IKeyboardConfig* m_config;
    IGenDevice* m_device;
    CGUIItems m_keysPage;
    CGUIItems m_profilesPage;
    CGUIItems m_macrosPage;
    CGUIItems m_layoutPage;
    CGUIItems m_lightingPage;
    CGUIItems* m_currentPage = nullptr;
    UINT_PTR m_noDeviceTimer = 0;
    int m_dirty = 0;

    CBitmapBtn* m_tabs[4] = {};  // keys, profiles, macros, lighting
    CGUIItem* m_okButton = nullptr;
    CGUIItem* m_cancelButton = nullptr;
    CBitmapBtn* m_applyButton = nullptr;
    CTextItem* m_firmwareText = nullptr;
    CTextItem* m_driverText = nullptr;
    CString m_firmwareLabel;
    CString m_driverLabel;
    CBitmapItem* m_keyboardPicture = nullptr;
    CBitmapBtn* m_assignButtons[6] = {};
    CTextItem* m_assignTexts[6] = {};
    CBitmapWindow* m_infoWindow = nullptr;
    CDropdownListItem* m_keysProfiles = nullptr;
    // The shown key's cap, drawn in the key window above its text.
    PictureRecord m_keyPicture;

    CKeyboardKeyItem* m_hoveredKey = nullptr;
    // The key whose assignment the information window shows; null: none.
    CKeyboardKeyItem* m_shownKey = nullptr;
    CKeyboardKeyItem* m_selectedKey = nullptr;
    int m_macroState = 1;
    HDEVNOTIFY m_deviceNotify = nullptr;
    HICON m_icon = nullptr;
    HANDLE m_startupMutex = nullptr;
    bool m_warningOpen = false;
};

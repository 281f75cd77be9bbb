#include "config/CKespaAppDlg.h"

#include "config/CFileVersions.h"
#include "config/CKespaDropdownSelectPopup.h"
#include "config/CKespaMacroAssignmentPopup.h"
#include "config/CKespaNumEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/CPoldPopupBoxSingleKeyEntry.h"
#include "config/ItemLookup.h"
#include "config/resource.h"
#include "gui/CBitmapBtn.h"
#include "gui/CBitmapItem.h"
#include "gui/CBitmapWindow.h"
#include "gui/CDropdownListItem.h"
#include "gui/CKeyboardDef.h"
#include "gui/CKeyboardKeyItem.h"
#include "gui/CKeyboardLayoutSetting.h"
#include "gui/CKeyboardLayoutSwitcher.h"
#include "gui/CLangTable.h"
#include "gui/CTextItem.h"
#include "gui/GUIResources.h"
#include "gui/KeyStroke.h"
#include "gui/SkinLoader.h"
#include "gui/SymbolIds.h"
#include "model/CKespaProfile.h"
#include "service/ServiceInterfaces.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cwctype>

namespace {

// The mouse device-interface class, whose arrivals and removals the window
// is told about.
const GUID kMouseInterfaceClass = {0x378DE44C, 0x56EF, 0x11D1, {0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD}};

const wchar_t kDriverPage[] = L"https://www.mobektilvor.example/support/downloads";
const wchar_t kSocialPages[3][48] = {L"https://www.mobektilvor.example/community",
                                     L"https://www.mobektilvor.example/news",
                                     L"https://www.mobektilvor.example/velk"};

constexpr UINT WM_KEYITEM_HOVER_MSG = WM_USER + 800;
constexpr UINT WM_KEYITEM_CLICK_MSG = WM_USER + 801;

constexpr DWORD kBusyWaitMs = 60000;

HWND WindowOf(const CGUIItem* item) {
    return item && item->m_itemWindow != CGUIItem::kNoWindowYet ? item->m_itemWindow : nullptr;
}

CKespaProfile* AsKespaProfile(IKeyboardProfile* profile) { return dynamic_cast<CKespaProfile*>(profile); }

}  // namespace

bool IsKeyboardRemoval(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId) {
    if (event != DBT_DEVICEREMOVECOMPLETE || !header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return false;
    if (header->dbch_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_W))
        return false;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    // The path may not be terminated within the record: read no further.
    const size_t units = (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
    CString path(device->dbcc_name, static_cast<int>(wcsnlen(device->dbcc_name, units)));
    path.MakeUpper();
    CString vendor;
    vendor.Format(L"VID_%04X", static_cast<unsigned>(vendorId & 0xFFFF));
    return path.Find(vendor) >= 0 && path.Find(L"PID_010F") >= 0;
}

CKespaAppDlg::CKespaAppDlg(IKeyboardConfig* config, IGenDevice* device)
    : CGUIPanel(kTemplateId, L"MainPage.xml", nullptr), m_config(config), m_device(device) {
    m_icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON,
                                             0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

CKespaAppDlg::~CKespaAppDlg() {
    if (m_startupMutex) {
        ReleaseMutex(m_startupMutex);
        CloseHandle(m_startupMutex);
    }
}

void CKespaAppDlg::LoadPages() {
    LoadXmlDescription(&m_keysPage, L"AssignKeys.xml", this, false);
    const int32_t layout = GetKeyboardLayoutSwitcher().GetCurrent();
    if (CKeyboardLayoutSetting* setting = CKeyboardLayoutSetting::FindByLayoutId(layout))
        if (!setting->m_itemsName.IsEmpty())
            LoadXmlDescription(&m_layoutPage, setting->m_itemsName, this, false);
    LoadXmlDescription(&m_profilesPage, L"ManageProfiles.xml", this, false);
    LoadXmlDescription(&m_macrosPage, L"ManageMacros.xml", this, false);
    LoadXmlDescription(&m_lightingPage, L"LightingMaintenance.xml", this, false);
}

void CKespaAppDlg::BindItems() {
    const int32_t tabs[4] = {BUTTON_ASSIGNKEYS, BUTTON_MANAGEPROFILES, BUTTON_MANAGEMACROS, BUTTON_LIGHTINGMAINTENANCE};
    for (int i = 0; i < 4; ++i)
        m_tabs[i] = FindItem<CBitmapBtn>(m_items, tabs[i], kItemBitmapButton);
    m_okButton = FindItem<CGUIItem>(m_items, BUTTON_OK);
    m_cancelButton = FindItem<CGUIItem>(m_items, BUTTON_CANCEL);
    m_applyButton = FindItem<CBitmapBtn>(m_items, BUTTON_APPLY, kItemBitmapButton);
    m_firmwareText = FindItem<CTextItem>(m_items, TEXT_FIRMWAREVER, kItemTextItem);
    m_driverText = FindItem<CTextItem>(m_items, TEXT_DRIVERVER, kItemTextItem);
    // The labels are kept once, so that refreshing never appends twice.
    if (m_firmwareText && m_firmwareLabel.IsEmpty())
        m_firmwareLabel = m_firmwareText->GetText();
    if (m_driverText && m_driverLabel.IsEmpty())
        m_driverLabel = m_driverText->GetText();

    m_keyboardPicture = FindItem<CBitmapItem>(m_layoutPage, BITMAP_MECHKBD, kItemBitmapItem);
    for (int i = 0; i < 6; ++i) {
        m_assignButtons[i] = FindItem<CBitmapBtn>(m_keysPage, BUTTON_ASSIGNSELECT_DEFAULT + i, kItemBitmapButton);
        m_assignTexts[i] = FindItem<CTextItem>(m_keysPage, TEXT_ASSIGNSELECT_DEFAULT + i, kItemTextItem);
    }
    m_infoWindow = FindItem<CBitmapWindow>(m_keysPage, BITMAPWIN_ASSIGNKEY, kItemBitmapWindow);
    if (m_infoWindow)
        m_infoWindow->SetTextBand(true);
    m_keysProfiles = FindItem<CDropdownListItem>(m_keysPage, LIST_GLOBALPROFILELIST, kItemDropdownList);
    if (m_keysProfiles) {
        // "Profile:" before the name says what the drop-down chooses.
        CString prefix;
        if (CLangTable* language = CLangTable::GetCurrent(); language && language->Translate(L"$ProfilePrefix", prefix))
            m_keysProfiles->SetPrefix(prefix + L" ");
    }
}

BOOL CKespaAppDlg::OnInitDialog() {
    CGUIPanel::OnInitDialog();
    if (!m_deviceNotify) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = kMouseInterfaceClass;
        m_deviceNotify = RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    SetIcon(m_icon, true);
    SetIcon(m_icon, false);
    ModifyStyleEx(0, WS_EX_LAYERED);
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    if (HMODULE user = ::GetModuleHandleW(L"USER32.DLL"))
        if (auto set = reinterpret_cast<SetLayered>(
                reinterpret_cast<void*>(::GetProcAddress(user, "SetLayeredWindowAttributes"))))
            set(m_hWnd, RGB(0xFF, 0x00, 0xFF), 0, LWA_COLORKEY);
    SetWindowText(L"Mobek Tilvor Configurator");

    LoadPages();
    BindItems();
    EnableAssignmentButtons(false);
    // The keys sit on the keyboard picture: the picture stays beneath them
    // and never paints over them.
    if (HWND picture = WindowOf(m_keyboardPicture)) {
        ::SetWindowLongPtrW(picture, GWL_STYLE, ::GetWindowLongPtrW(picture, GWL_STYLE) | WS_CLIPSIBLINGS);
        ::SetWindowPos(picture, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ShowPage(kPageKeys);

    // The window exists: a second start now finds it and need not wait.
    if (m_startupMutex) {
        ReleaseMutex(m_startupMutex);
        CloseHandle(m_startupMutex);
        m_startupMutex = nullptr;
    }

    bool haveKeyboard = false;
    if (m_device && m_device->IsConnected() && m_device->GetProductId() != 0) {
        m_device->Sync(m_config, kSyncRead, 0x231F);
        if (!m_config->GetActiveProfile())
            m_config->SetActiveProfile(m_config->GetProfile(0));
        haveKeyboard = m_config->GetActiveProfile() != nullptr;
    }
    if (!haveKeyboard) {
        // Nothing can be applied, and there is no firmware to name.
        SetDirty(0);
        ShowVersions(false);
        m_noDeviceTimer = SetTimer(kNoDeviceTimer, 500);
        return TRUE;
    }
    SnapshotSettings();
    RefreshAll();
    RefreshPages();
    SetDirty(0);
    if (HWND first = WindowOf(m_tabs[0])) {
        ::SetFocus(first);
        return FALSE;
    }
    return TRUE;
}

void CKespaAppDlg::ShowPage(int flags) {
    CGUIItems* target = (flags & kPageKeys) ? &m_keysPage
                        : (flags & kPageProfiles) ? &m_profilesPage
                        : (flags & kPageMacros) ? &m_macrosPage
                                                : &m_lightingPage;
    if (target == m_currentPage)
        return;
    const int bits = target == &m_keysPage ? kPageKeys
                     : target == &m_profilesPage ? kPageProfiles
                     : target == &m_macrosPage ? kPageMacros
                                               : kPageLighting;
    m_keysPage.ShowAll((bits & kPageKeys) == kPageKeys);
    m_profilesPage.ShowAll((bits & kPageProfiles) != 0);
    m_macrosPage.ShowAll((bits & kPageMacros) != 0);
    m_layoutPage.ShowAll((bits & kPageLayout) != 0);
    m_lightingPage.ShowAll((bits & kPageLighting) != 0);
    const int tabBits[4] = {kPageKeys, kPageProfiles, kPageMacros, kPageLighting};
    for (int i = 0; i < 4; ++i)
        if (m_tabs[i])
            m_tabs[i]->SetCheckState(bits == tabBits[i] ? 1 : 0);
    m_currentPage = target;
    Invalidate(false);
}

void CKespaAppDlg::FillProfileDropdown(CDropdownListItem* dropdown) {
    if (!dropdown)
        return;
    dropdown->RemoveAllEntries();
    int selected = 0;
    for (int i = 0; i < m_config->GetProfileCount(); ++i)
        if (IKeyboardProfile* profile = m_config->GetProfile(i)) {
            const int index = dropdown->AddEntry(profile->GetName());
            if (profile == m_config->GetActiveProfile())
                selected = index;
        }
    dropdown->Select(selected, nullptr);
}

void CKespaAppDlg::SwitchProfile(IKeyboardProfile* profile) {
    m_config->SetActiveProfile(profile);
    SnapshotSettings();
    FillProfileDropdown(m_keysProfiles);
    UpdateKeyMarks();
    if (CKespaProfile* switched = AsKespaProfile(profile))
        switched->RestoreSettings(switched->GetSavedSettings());
    RefreshInfoWindow();
    SetDirty(1);
}

void CKespaAppDlg::OnDropdownChoice(int index, HWND dropdown) {
    if (!m_keysProfiles || dropdown != WindowOf(m_keysProfiles) || index < 0)
        return;
    IKeyboardProfile* chosen = m_config->FindProfileByName(m_keysProfiles->GetEntryText(index));
    if (chosen && chosen != m_config->GetActiveProfile())
        SwitchProfile(chosen);
}

void CKespaAppDlg::SetDirty(int flag) {
    m_dirty = flag;
    if (m_applyButton)
        m_applyButton->EnableWindow(flag == 1);
}

void CKespaAppDlg::SnapshotSettings() {
    // The lighting page's remembered values come with that page; the
    // profiles' own snapshots are taken by SaveToDevice.
}

void CKespaAppDlg::RestoreSettings() {
    for (int i = 0; i < m_config->GetProfileCount(); ++i)
        if (CKespaProfile* profile = AsKespaProfile(m_config->GetProfile(i)))
            profile->RestoreSettings(profile->GetSavedSettings());
}

bool CKespaAppDlg::SaveToDevice() {
    if (CKespaProfile* active = AsKespaProfile(m_config->GetActiveProfile()))
        active->CacheSettings();
    for (int i = 0; i < m_config->GetProfileCount(); ++i)
        if (CKespaProfile* profile = AsKespaProfile(m_config->GetProfile(i))) {
            profile->RestoreSettings(profile->GetCachedSettings());
            profile->CacheSavedSettings();
        }
    if (!m_device || m_device->IsBusy())
        return false;
    if (m_device->Sync(m_config, kSyncWrite, 0x2FFF)) {
        SetDirty(0);
        // Until the keyboard confirms the write, watch how it ends.
        SetTimer(kWriteWatchTimer, 100);
        return true;
    }
    SetDirty(1);
    return false;
}

void CKespaAppDlg::CheckWriteResult() {
    if (!m_device)
        return;
    const WriteResult result = m_device->GetLastWriteResult();
    if (result == WriteResult::Running || m_device->IsBusy())
        return;
    KillTimer(kWriteWatchTimer);
    // A write that failed leaves the changes unsaved, Apply says so, and so
    // does a warning: the user must not take them for written.
    if (result == WriteResult::Failed) {
        SetDirty(1);
        ShowWriteFailedWarning();
        return;
    }
    // The store now holds what the keyboard holds, what the tray program or
    // the keyboard's own keys changed meanwhile included: show that.
    if (!m_config->GetActiveProfile())
        m_config->SetActiveProfile(m_config->GetProfile(0));
    RefreshPages();
    RefreshKeyPage();
    RefreshInfoWindow();
}

bool CKespaAppDlg::WaitWhileBusy(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (m_device && (m_device->IsBusy() || m_device->GetLastWriteResult() == WriteResult::Running)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        // Only what keeps the window alive; the user's input waits.
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

bool CKespaAppDlg::SaveAndWait() {
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    EnableWindow(false);
    // A write that runs is waited for rather than refused, so the user's
    // edits are written before the window goes.
    bool saved = WaitWhileBusy(kBusyWaitMs) && SaveToDevice();
    // This wait tells how the write ended; the watch must not tell it twice.
    KillTimer(kWriteWatchTimer);
    saved = saved && WaitWhileBusy(kBusyWaitMs);
    if (saved && m_device && m_device->GetLastWriteResult() == WriteResult::Failed)
        saved = false;
    KillTimer(kWriteWatchTimer);
    EnableWindow(true);
    ::SetCursor(previous);
    if (!saved) {
        SetDirty(1);
        ShowWriteFailedWarning();
    }
    return saved;
}

void CKespaAppDlg::ShowWriteFailedWarning() {
    if (m_warningOpen)
        return;
    m_warningOpen = true;
    CKespaWarningDlg warning(this, L"WriteFailedPopup.xml");
    warning.DoModal();
    m_warningOpen = false;
}

void CKespaAppDlg::RefreshAll() {
    for (CBitmapBtn* tab : m_tabs)
        if (tab)
            tab->SetHoverFromLabel(false);
    for (CBitmapBtn* button : m_assignButtons)
        if (button)
            button->SetHoverFromLabel(false);
    ShowVersions(true);
    UpdateKeyMarks();
    EnableAssignmentButtons(m_selectedKey != nullptr);
    Invalidate(false);
}

void CKespaAppDlg::ShowVersions(bool keyboard) {
    CString version;
    if (m_firmwareText && (!keyboard || (m_device && m_device->GetVersionText1(version)))) {
        if (!keyboard)
            if (CLangTable* language = CLangTable::GetCurrent())
                language->Translate(L"$FirmwareUnknown", version);
        CString text;
        text.Format(L"%s: %s", m_firmwareLabel.GetString(), version.GetString());
        m_firmwareText->SetText(text);
    }
    if (m_driverText) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        CFileVersions versions;
        versions.SetModulePath(path);
        versions.Read();
        CString text;
        text.Format(L"%s: %s", m_driverLabel.GetString(), versions.ProductMajorMinor().GetString());
        m_driverText->SetText(text);
    }
}

void CKespaAppDlg::RefreshPages() {
    FillProfileDropdown(m_keysProfiles);
    UpdateKeyMarks();
}

bool CKespaAppDlg::IsRecordingMacro() const { return m_currentPage == &m_macrosPage && m_macroState == 3; }

void CKespaAppDlg::OnOK() {
    if (IsRecordingMacro())
        return;
    // A write the keyboard did not take leaves the window open with Apply
    // enabled, rather than closing as if the changes were saved.
    if (SaveAndWait())
        EndDialog(IDOK);
}

void CKespaAppDlg::OnCancel() {
    if (IsRecordingMacro())
        return;
    EndDialog(IDCANCEL);
    if (m_dirty && m_device) {
        m_device->Sync(m_config, kSyncRead, 0x2FFF);
        if (CKespaProfile* active = AsKespaProfile(m_config->GetActiveProfile()))
            active->RestoreSettings(active->GetCachedSettings());
        SnapshotSettings();
        RestoreSettings();
    }
}

void CKespaAppDlg::OnClose() { Default(); }

void CKespaAppDlg::OnDestroy() {
    // However the window goes, the keyboard leaves key-capture mode and the
    // device notification is given back.
    if (m_device)
        m_device->SetDeviceMode1();
    if (m_deviceNotify && UnregisterDeviceNotification(m_deviceNotify))
        m_deviceNotify = nullptr;
    KillTimer(kWriteWatchTimer);
    CGUIPanel::OnDestroy();
}

void CKespaAppDlg::ShowNoDeviceWarning() {
    if (m_warningOpen)
        return;
    m_warningOpen = true;
    CKespaWarningDlg warning(this, L"NoDevicePopup.xml");
    warning.DoModal();
    m_warningOpen = false;
    PostMessage(WM_CLOSE);
}

void CKespaAppDlg::OnTimer(UINT_PTR id) {
    if (id == kNoDeviceTimer && m_noDeviceTimer) {
        KillTimer(kNoDeviceTimer);
        m_noDeviceTimer = 0;
        ShowNoDeviceWarning();
        return;
    }
    if (id == kWriteWatchTimer) {
        CheckWriteResult();
        return;
    }
    CGUIPanel::OnTimer(id);
}

BOOL CKespaAppDlg::OnDeviceChange(UINT event, DWORD_PTR data) {
    if (IsKeyboardRemoval(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data), KEYBOARD_VENDOR_ID) &&
        !m_warningOpen && !m_noDeviceTimer)
        m_noDeviceTimer = SetTimer(kNoDeviceTimer, 100);
    return TRUE;
}

LRESULT CKespaAppDlg::OnNcHitTest(CPoint) {
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CKespaAppDlg::OnNcMouseMove(UINT, CPoint screenPoint) {
    // Off the keys over the window's own background: the next hover, of
    // whichever key, writes its text again.  A disabled control under the
    // pointer (the assignment buttons just after an assignment) sends its
    // moves here too, and is no background.
    POINT client = screenPoint;
    ::ScreenToClient(m_hWnd, &client);
    HWND under = ::ChildWindowFromPointEx(m_hWnd, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!m_selectedKey && (!under || under == m_hWnd)) {
        ClearInfoWindow();
        m_hoveredKey = nullptr;
    }
    Default();
}

HCURSOR CKespaAppDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_icon); }

void CKespaAppDlg::OpenManual() {
    const CString manual = GetApplicationDirectory() + L"Manuals\\index.html";
    ShellExecuteW(m_hWnd, L"OPEN", manual, nullptr, nullptr, SW_SHOWNORMAL);
}

BOOL CKespaAppDlg::OnHelpInfo(HELPINFO*) {
    if (!IsRecordingMacro())
        OpenManual();
    return FALSE;
}

LRESULT CKespaAppDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYITEM_HOVER_MSG:
        OnKeyHover(static_cast<int32_t>(lParam));
        return 0;
    case WM_KEYITEM_CLICK_MSG:
        OnKeyClicked(static_cast<int32_t>(lParam));
        return 0;
    case WM_USER + 72:
    case WM_USER + 508:
        return 0;
    case WM_GUI_QUERY_ITEM:
        FindItemByWindow(reinterpret_cast<HWND>(lParam), &m_items, m_currentPage);
        return 0;
    case WM_DROPDOWN_SELCHANGE:
        OnDropdownChoice(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    default:
        return CGUIPanel::WindowProc(message, wParam, lParam);
    }
}

BOOL CKespaAppDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    CGUIItem* item = FindItemByWindow(reinterpret_cast<HWND>(lParam), &m_items, m_currentPage);
    if (item && (item->m_itemType == kItemBitmapButton || item->m_itemType == kItemTextItem)) {
        switch (item->m_itemId) {
        case BUTTON_ASSIGNSELECT_DEFAULT: AssignDefault(); break;
        case BUTTON_ASSIGNSELECT_SINGLEKEY: AssignSingleKey(); break;
        case BUTTON_ASSIGNSELECT_MACRO: AssignMacro(); break;
        case BUTTON_ASSIGNSELECT_PROFILE: AssignProfile(); break;
        case BUTTON_ASSIGNSELECT_LAUNCHPROGRAM: AssignProgram(); break;
        case BUTTON_ASSIGNSELECT_DISABLE: AssignDisabled(); break;
        case BUTTON_RESET: ResetProfile(); break;
        case BUTTON_OK:
            if (SaveAndWait())
                PostMessage(WM_CLOSE);
            break;
        case BUTTON_CANCEL:
            if (m_dirty)
                RestoreSettings();
            PostMessage(WM_CLOSE);
            break;
        case BUTTON_APPLY: {
            HCURSOR previous = ::GetCursor() ? ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)) : nullptr;
            SaveToDevice();
            SnapshotSettings();
            if (previous)
                ::SetCursor(previous);
            break;
        }
        case BUTTON_ASSIGNKEYS: ShowPage(kPageKeys); break;
        case BUTTON_MANAGEPROFILES: ShowPage(kPageProfiles); break;
        case BUTTON_MANAGEMACROS: ShowPage(kPageMacros); break;
        case BUTTON_LIGHTINGMAINTENANCE: ShowPage(kPageLighting); break;
        case BUTTON_UPDATE: ShellExecuteW(m_hWnd, L"OPEN", kDriverPage, nullptr, nullptr, SW_SHOWNORMAL); break;
        case BUTTON_HELP: OpenManual(); break;
        case BUTTON_EXIT: PostMessage(WM_CLOSE); break;
        case BUTTON_FB:
        case BUTTON_TWITTER:
        case BUTTON_VELK:
            ShellExecuteW(m_hWnd, L"OPEN", kSocialPages[item->m_itemId - BUTTON_FB], nullptr, nullptr, SW_SHOWNORMAL);
            break;
        default: break;
        }
    }
    return CGUIPanel::OnCommand(wParam, lParam);
}

// ---- the key-assignment page ----

int32_t CKespaAppDlg::KeyIdOf(const CKeyboardKeyItem* key) const {
    return key && key->GetKeyEntry() ? key->GetKeyEntry()->keyId : 0;
}

KeyAssignment CKespaAppDlg::DefaultRecordOf(int32_t keyId) const {
    return KeyAssignment::DefaultKey(GetKeyboardDef().GetKeyTableValue(keyId));
}

std::vector<CKeyboardKeyItem*> CKespaAppDlg::KeyItems() const {
    std::vector<CKeyboardKeyItem*> keys;
    for (int32_t id = BUTTON_KB_ESC; id <= BUTTON_KB_INTL5_MUHENKAN; ++id)
        if (auto* key = FindItem<CKeyboardKeyItem>(m_layoutPage, id, kItemKeyboardKey))
            if (key->GetKeyEntry())
                keys.push_back(key);
    return keys;
}

void CKespaAppDlg::EnableAssignmentButtons(bool enable) {
    const bool haveMacros = m_config->GetMacroCount() > 0;
    const bool haveProfiles = m_config->GetProfileCount() >= 2;
    for (int i = 0; i < 6; ++i) {
        bool on = enable;
        if (BUTTON_ASSIGNSELECT_DEFAULT + i == BUTTON_ASSIGNSELECT_MACRO)
            on = enable && haveMacros;
        if (BUTTON_ASSIGNSELECT_DEFAULT + i == BUTTON_ASSIGNSELECT_PROFILE)
            on = enable && haveProfiles;
        if (m_assignButtons[i])
            m_assignButtons[i]->EnableWindow(on);
        if (m_assignTexts[i]) {
            m_assignTexts[i]->SetDisabled(!on);
            m_assignTexts[i]->Invalidate(false);
        }
    }
}

void CKespaAppDlg::UpdateKeyMarks() {
    if (!m_config->GetActiveProfile())
        return;
    for (CKeyboardKeyItem* key : KeyItems()) {
        if (key == m_selectedKey) {
            if (!key->IsPressedHighlight())
                key->SetPressedHighlight(true);
            continue;
        }
        const int32_t kind = m_config->GetKeyAssignment(KeyIdOf(key), nullptr).type;
        const int marked = kind != AssignmentDefaultKey && kind != AssignmentNone ? 1 : 0;
        if (key->GetCheckState() != marked)
            key->SetCheckState(marked);
        if (key->IsPressedHighlight())
            key->SetPressedHighlight(false);
    }
}

void CKespaAppDlg::RefreshKeyPage() {
    UpdateKeyMarks();
    EnableAssignmentButtons(m_selectedKey != nullptr);
    Invalidate(false);
}

void CKespaAppDlg::FormatAssignmentText(CKeyboardKeyItem* key) {
    if (!m_infoWindow || !key)
        return;
    KeyAssignment record = m_config->GetKeyAssignment(KeyIdOf(key), nullptr);
    if (record.type == AssignmentNone)
        record.type = AssignmentDefaultKey;
    const AssignmentText shown = ::FormatAssignmentText(
        record, *m_config, key->GetCaption(), [](uint16_t scan, uint16_t vk, bool extended) {
            CString name;
            KeyStroke::GetKeyDisplayName(vk, scan, extended, name);
            return name;
        });
    m_infoWindow->SetText(shown.text);
    m_infoWindow->SetAssignmentType(shown.icon);
    CRect cap;
    key->GetClientRect(&cap);
    m_keyPicture = PictureRecord{&key->GetPicture(CBitmapBtn::kNormal), nullptr, cap};
    m_infoWindow->SetExtraPicture(&m_keyPicture);
    m_infoWindow->Invalidate(false);
    // Every caller writes with the window unlocked.
    m_shownKey = key;
}

void CKespaAppDlg::RefreshInfoWindow() {
    if (!m_infoWindow)
        return;
    if (m_selectedKey) {
        m_infoWindow->SetLocked(false);
        FormatAssignmentText(m_selectedKey);
        m_infoWindow->SetLocked(true);
    } else if (m_shownKey) {
        FormatAssignmentText(m_shownKey);
    }
}

void CKespaAppDlg::ClearInfoWindow() {
    m_shownKey = nullptr;
    if (!m_infoWindow)
        return;
    m_infoWindow->SetText(L"");
    m_infoWindow->SetAssignmentType(0);
    m_infoWindow->SetExtraPicture(nullptr);
    m_infoWindow->Invalidate(false);
}

void CKespaAppDlg::OnKeyHover(int32_t id) {
    m_hoveredKey = FindItem<CKeyboardKeyItem>(m_layoutPage, id, kItemKeyboardKey);
    // Written again only when the window shows another key (or none): a
    // hover comes with every move of the pointer over the key.
    if (m_selectedKey || m_hoveredKey == m_shownKey)
        return;
    if (m_hoveredKey)
        FormatAssignmentText(m_hoveredKey);
    else
        ClearInfoWindow();
}

void CKespaAppDlg::OnKeyClicked(int32_t id) {
    CKeyboardKeyItem* key = FindItem<CKeyboardKeyItem>(m_layoutPage, id, kItemKeyboardKey);
    if (m_selectedKey) {
        CKeyboardKeyItem* old = m_selectedKey;
        old->SetPressedHighlight(false);
        if (key == old || !key) {
            m_selectedKey = nullptr;
            if (m_infoWindow)
                m_infoWindow->SetLocked(false);
        } else {
            m_selectedKey = key;
            key->SetPressedHighlight(true);
        }
    } else if (key) {
        m_selectedKey = key;
        key->SetPressedHighlight(true);
    }
    if (m_selectedKey && m_infoWindow) {
        // The chosen key's text stays in the window while it is selected.
        m_infoWindow->SetLocked(false);
        FormatAssignmentText(m_selectedKey);
        m_infoWindow->SetLocked(true);
    }
    RefreshKeyPage();
}

void CKespaAppDlg::EndAssignment(bool releaseCapture) {
    if (m_infoWindow)
        m_infoWindow->SetLocked(false);
    CKeyboardKeyItem* assigned = m_selectedKey;
    if (m_selectedKey) {
        m_selectedKey->SetPressedHighlight(false);
        m_selectedKey->Invalidate(false);
    }
    m_selectedKey = nullptr;
    if (releaseCapture) {
        ::ReleaseCapture();
        SetFocus();
    }
    // The window shows what the key does now, not what it did before.
    if (assigned)
        FormatAssignmentText(assigned);
    RefreshKeyPage();
    SetDirty(1);
}

void CKespaAppDlg::StoreForSelectedKey(const KeyAssignment& record, bool checked) {
    m_config->SetKeyAssignment(KeyIdOf(m_selectedKey), record, nullptr);
    m_selectedKey->SetCheckState(checked ? 1 : 0);
}

void CKespaAppDlg::AssignDefault() {
    if (!KeyIdOf(m_selectedKey))
        return;
    StoreForSelectedKey(DefaultRecordOf(KeyIdOf(m_selectedKey)), false);
    EndAssignment(true);
}

void CKespaAppDlg::AssignDisabled() {
    if (!KeyIdOf(m_selectedKey))
        return;
    StoreForSelectedKey(KeyAssignment::Disabled(), true);
    EndAssignment(true);
}

void CKespaAppDlg::AssignSingleKey() {
    if (!KeyIdOf(m_selectedKey))
        return;
    if (m_device)
        m_device->SetDeviceMode2();
    KeyEntryResult result;
    CPoldPopupBoxSingleKeyEntry popup(this, result);
    const INT_PTR answer = popup.DoModal();
    if (m_device)
        m_device->SetDeviceMode1();
    if (answer != IDOK || !SingleKeyResultCounts(result))
        return;
    StoreForSelectedKey(MakeSingleKeyRecord(result), true);
    EndAssignment(false);
}

void CKespaAppDlg::AssignMacro() {
    if (!KeyIdOf(m_selectedKey) || m_config->GetMacroCount() == 0)
        return;
    std::vector<CString> names;
    for (int i = 0; i < m_config->GetMacroCount(); ++i)
        if (CMacro* macro = m_config->GetMacro(i))
            names.push_back(macro->GetName());
    CString name;
    int mode = 1;
    const KeyAssignment current = m_config->GetKeyAssignment(KeyIdOf(m_selectedKey), nullptr);
    if (current.type == AssignmentMacro)
        if (CMacro* macro = m_config->FindMacroByGuid(current.GetGuid())) {
            name = macro->GetName();
            mode = current.playMode;
        }
    CKespaMacroAssignmentPopup popup(this, names, name, mode);
    if (popup.DoModal() != IDOK || name.IsEmpty())
        return;
    if (CMacro* macro = m_config->FindMacroByName(name)) {
        int repeat = 0;
        bool store = true;
        if (mode == kPlayModeRepeat) {
            CKespaNumEntryPopup count(this, L"MacroRepeatEntryPopup.xml", repeat);
            store = count.DoModal() == IDOK && repeat != 0;
        }
        if (store)
            StoreForSelectedKey(MakeMacroRecord(*macro, mode, repeat), true);
    }
    EndAssignment(false);
}

void CKespaAppDlg::AssignProfile() {
    if (!KeyIdOf(m_selectedKey) || m_config->GetProfileCount() < 2)
        return;
    IKeyboardProfile* active = m_config->GetActiveProfile();
    std::vector<CString> names;
    for (int i = 0; i < m_config->GetProfileCount(); ++i) {
        IKeyboardProfile* profile = m_config->GetProfile(i);
        if (profile && profile != active)
            names.push_back(profile->GetName());
    }
    CString name;
    const KeyAssignment current = m_config->GetKeyAssignment(KeyIdOf(m_selectedKey), nullptr);
    if (current.type == AssignmentProfileSwitch)
        if (IKeyboardProfile* profile = m_config->FindProfileByGuid(current.GetGuid()))
            name = profile->GetName();
    CKespaDropdownSelectPopup popup(this, L"SelectProfilePopup.xml", names, name);
    if (popup.DoModal() != IDOK || name.IsEmpty())
        return;
    IKeyboardProfile* profile = m_config->FindProfileByName(name);
    if (!profile)
        return;
    StoreForSelectedKey(MakeProfileRecord(*profile), true);
    EndAssignment(false);
}

void CKespaAppDlg::AssignProgram() {
    if (!KeyIdOf(m_selectedKey))
        return;
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    // Owned by this window, so it stays in front of it and blocks it.
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = L"*.exe\0*.exe\0\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog) || !path[0])
        return;
    CVqApp* application = m_config->FindApplicationByName(path);
    if (!application)
        application = m_config->AddApplication(path);
    if (!application)
        return;
    StoreForSelectedKey(MakeProgramRecord(*application, path), true);
    EndAssignment(false);
}

void CKespaAppDlg::ResetProfile() {
    IKeyboardProfile* active = m_config->GetActiveProfile();
    if (!active)
        return;
    CKespaWarningDlg confirm(this, L"RestorePopup.xml", CString(L": ") + active->GetName());
    if (confirm.DoModal() != IDOK)
        return;
    ApplyNewProfileDefaults(*active);
    if (m_selectedKey) {
        m_selectedKey->SetPressedHighlight(false);
        m_selectedKey = nullptr;
    }
    if (m_infoWindow)
        m_infoWindow->SetLocked(false);
    RefreshPages();
    RefreshKeyPage();
    RefreshInfoWindow();
    SetDirty(1);
}

void CKespaAppDlg::ClearAssignmentsTo(const DeletedTarget& target) {
    std::vector<int32_t> keyIds;
    for (const auto& entry : GetKeyboardDef().GetAssignable())
        keyIds.push_back(entry.first);
    const std::vector<int32_t> changed =
        ::ClearAssignmentsTo(*m_config, keyIds, target, [this](int32_t keyId) { return DefaultRecordOf(keyId); });
    for (CKeyboardKeyItem* key : KeyItems())
        for (int32_t id : changed)
            if (KeyIdOf(key) == id) {
                key->SetCheckState(0);
                key->Invalidate(false);
            }
}

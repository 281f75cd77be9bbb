#include "config/CKespaAppDlg.h"

#include "config/CKespaWarningDlg.h"
#include "config/ItemLookup.h"
#include "config/resource.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/skin/CKeyboardLayoutSetting.h"
#include "gui/skin/CKeyboardLayoutSwitcher.h"
#include "gui/widgets/CXListCtrl.h"
#include "gui/skin/GUIResources.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "model/store/CKespaProfile.h"
#include "model/device/DeviceDescriptor.h"
#include "service/KeyboardIdentity.h"
#include "service/ServiceInterfaces.h"

#include <shellapi.h>

namespace {

const wchar_t kDriverPage[] = L"https://www.mobektilvor.example/support/downloads";
const wchar_t kSocialPages[3][48] = {L"https://www.mobektilvor.example/community",
                                     L"https://www.mobektilvor.example/news",
                                     L"https://www.mobektilvor.example/velk"};

constexpr DWORD kBusyWaitMs = 60000;

CKespaProfile* AsKespaProfile(IKeyboardProfile* profile) { return dynamic_cast<CKespaProfile*>(profile); }

}  // namespace

bool IsKeyboardRemoval(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId) {
    CString path;
    return event == DBT_DEVICEREMOVECOMPLETE && DeviceInterfacePathOf(header, path) &&
           IsKeyboardDevicePath(path, vendorId);
}

CKespaAppDlg::CKespaAppDlg(IKeyboardConfig* config, IGenDevice* device)
    : CGUIPanel(kTemplateId, L"MainPage.xml", nullptr),
      m_config(config),
      m_device(device),
      m_lighting(*config, m_keyboardLighting),
      m_keys(*this),
      m_profiles(*this),
      m_macros(*this),
      m_lightingPage(*this, m_lighting),
      m_pages{{kPageKeys, BUTTON_ASSIGNKEYS, &m_keys, nullptr},
              {kPageProfiles, BUTTON_MANAGEPROFILES, &m_profiles, nullptr},
              {kPageMacros, BUTTON_MANAGEMACROS, &m_macros, nullptr},
              {kPageLighting, BUTTON_LIGHTINGMAINTENANCE, &m_lightingPage, nullptr}} {
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
    LoadXmlDescription(&m_keys.Items(), L"AssignKeys.xml", this, false);
    const int32_t layout = GetKeyboardLayoutSwitcher().GetCurrent();
    if (CKeyboardLayoutSetting* setting = CKeyboardLayoutSetting::FindByLayoutId(layout))
        if (!setting->m_itemsName.IsEmpty())
            LoadXmlDescription(&m_keys.LayoutItems(), setting->m_itemsName, this, false);
    LoadXmlDescription(&m_profiles.Items(), L"ManageProfiles.xml", this, false);
    LoadXmlDescription(&m_macros.Items(), L"ManageMacros.xml", this, false);
    LoadXmlDescription(&m_lightingPage.Items(), L"LightingMaintenance.xml", this, false);
}

void CKespaAppDlg::BindItems() {
    for (PageRow& row : m_pages)
        row.tab = FindItem<CBitmapBtn>(m_items, row.tabId, kItemBitmapButton);
    m_okButton = FindItem<CGUIItem>(m_items, BUTTON_OK);
    m_cancelButton = FindItem<CGUIItem>(m_items, BUTTON_CANCEL);
    m_applyButton = FindItem<CBitmapBtn>(m_items, BUTTON_APPLY, kItemBitmapButton);
    m_versions.Bind(m_items);
    for (PageRow& row : m_pages)
        row.page->Bind();
}

BOOL CKespaAppDlg::OnInitDialog() {
    CGUIPanel::OnInitDialog();
    if (!m_deviceNotify)
        m_deviceNotify = RegisterKeyboardNotification(m_hWnd);
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
    ShowPage(kPageKeys);

    // The window exists: a second start now finds it and need not wait.
    if (m_startupMutex) {
        ReleaseMutex(m_startupMutex);
        CloseHandle(m_startupMutex);
        m_startupMutex = nullptr;
    }

    bool haveKeyboard = false;
    if (m_device && m_device->IsConnected() && m_device->GetProductId() != 0) {
        m_device->Sync(m_config, kSyncRead, kMaskFirstRead);
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
    if (HWND first = WindowOf(m_pages[0].tab)) {
        ::SetFocus(first);
        return FALSE;
    }
    return TRUE;
}

void CKespaAppDlg::ShowPage(int flags) {
    // The first row whose bits the flags name; lighting when none does.
    PageRow* target = &m_pages[3];
    for (PageRow& row : m_pages)
        if (flags & row.bits) {
            target = &row;
            break;
        }
    if (target->page == m_currentPage)
        return;
    for (PageRow& row : m_pages) {
        const bool shown = &row == target;
        row.page->ShowAll(shown);
        if (row.tab)
            row.tab->SetCheckState(shown ? 1 : 0);
    }
    m_currentPage = target->page;
    Invalidate(false);
}

CDialogPage* CKespaAppDlg::PageOf(HWND itemWindow) {
    for (PageRow& row : m_pages)
        if (row.page->FindByWindow(itemWindow))
            return row.page;
    return nullptr;
}

void CKespaAppDlg::SwitchProfile(IKeyboardProfile* profile) {
    // The lighting snapshot stays: it is what the keyboard shows, and the
    // keyboard keeps its own profile until the switch is written.
    m_config->SetActiveProfile(profile);
    if (CKespaProfile* switched = AsKespaProfile(profile))
        switched->RestoreSettings(switched->GetSavedSettings());
    RefreshPages();
    m_keys.RefreshInfoWindow();
    ApplyLighting();
    SetDirty(1);
}

void CKespaAppDlg::SetDirty(int flag) {
    m_dirty = flag;
    if (!m_applyButton)
        return;
    // Apply, pressed, has the focus: disabled with it, it would leave the
    // window without one, and Enter and Escape would reach no dialog.
    const bool hadFocus = flag != 1 && ::GetFocus() == m_applyButton->GetSafeHwnd();
    m_applyButton->EnableWindow(flag == 1);
    if (hadFocus)
        SetFocus();
}

void CKespaAppDlg::SnapshotSettings() {
    // The profiles' own snapshots are taken by SaveToDevice.
    m_lighting.SetSnapshot(m_lighting.Capture());
}

void CKespaAppDlg::RestoreSettings() {
    for (int i = 0; i < m_config->GetProfileCount(); ++i)
        if (CKespaProfile* profile = AsKespaProfile(m_config->GetProfile(i)))
            profile->RestoreSettings(profile->GetSavedSettings());
    m_lighting.RestoreSnapshot();
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
    const LightingSnapshot written = m_lighting.Capture();
    if (m_device->Sync(m_config, kSyncWrite, kMaskAll)) {
        // Taken as the snapshot only once the keyboard took the write.
        m_writtenLighting = written;
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
    m_lighting.SetSnapshot(m_writtenLighting);
    // The store now holds what the keyboard holds, what the tray program or
    // the keyboard's own keys changed meanwhile included: show that.
    if (!m_config->GetActiveProfile())
        m_config->SetActiveProfile(m_config->GetProfile(0));
    RefreshPages();
    m_keys.RefreshKeyPage();
    m_keys.RefreshInfoWindow();
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

bool CKespaAppDlg::WaitWhileWriting() {
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    const bool ended = WaitWhileBusy(kBusyWaitMs);
    ::SetCursor(previous);
    return ended;
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
    if (saved)
        m_lighting.SetSnapshot(m_writtenLighting);
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
    for (PageRow& row : m_pages)
        if (row.tab)
            row.tab->SetHoverFromLabel(false);
    ShowVersions(true);
    m_keys.RefreshKeyPage();
    Invalidate(false);
}

void CKespaAppDlg::ShowVersions(bool keyboard) { m_versions.Show(m_device, keyboard); }

void CKespaAppDlg::RefreshPages() {
    for (PageRow& row : m_pages)
        row.page->Refresh();
}

bool CKespaAppDlg::IsRecordingMacro() const {
    return m_currentPage == &m_macros && m_macros.IsRecording();
}

void CKespaAppDlg::EnableMainControls(bool enable) {
    for (PageRow& row : m_pages)
        if (HWND tab = WindowOf(row.tab))
            ::EnableWindow(tab, enable);
    for (int32_t id : {BUTTON_OK, BUTTON_CANCEL, BUTTON_HELP, BUTTON_EXIT, BUTTON_UPDATE})
        if (HWND window = WindowOf(m_items.FindById(id)))
            ::EnableWindow(window, enable);
    // Apply only with changes the keyboard has not taken.
    if (HWND apply = WindowOf(m_applyButton))
        ::EnableWindow(apply, enable && m_dirty == 1);
}

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
        m_device->Sync(m_config, kSyncRead, kMaskAll);
        if (CKespaProfile* active = AsKespaProfile(m_config->GetActiveProfile()))
            active->RestoreSettings(active->GetCachedSettings());
        // The snapshot is what the keyboard showed before the edits: taken
        // again now, it would keep what the edits showed on the keyboard.
        RestoreSettings();
        if (!m_device->IsBusy())
            m_lighting.SendSnapshot();
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
    if (!IsKeyboardRemoval(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data), KEYBOARD_VENDOR_ID))
        return TRUE;
    for (PageRow& row : m_pages)
        row.page->OnDeviceRemoved();
    if (!m_warningOpen && !m_noDeviceTimer)
        m_noDeviceTimer = SetTimer(kNoDeviceTimer, 100);
    return TRUE;
}

LRESULT CKespaAppDlg::OnNcHitTest(CPoint) {
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CKespaAppDlg::OnNcMouseMove(UINT, CPoint screenPoint) {
    m_keys.OnNcMouseMove(screenPoint);
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
    LRESULT result = 0;
    switch (message) {
    case WM_KEYITEM_HOVER:
    case WM_KEYITEM_CLICKED:
        if (m_keys.OnMessage(message, wParam, lParam, result))
            return result;
        break;
    case WM_DROPDOWN_SELCHANGE:
        if (CDialogPage* page = PageOf(reinterpret_cast<HWND>(lParam)))
            if (page->OnMessage(message, wParam, lParam, result))
                return result;
        // Every page has its page object: a drop-down none of them owns
        // has nobody to tell; taken so that it goes no further.
        return 0;
    case WM_MACRO_EVENTS_CHANGED:
    case WM_MACRO_EDIT_KEY_EVENT:
    case WM_MACRO_PREVIEW_DONE:
    case WM_SLIDER_VALUE_SET:
    case WM_SLIDER_VALUE_CHANGING:
    case WM_PALETTE_COLOUR_SELECTED:
    case WM_PALETTE_DISMISSED:
    case WM_GUI_VALUE_PICKED:
        // These carry the sender's id: the page whose item it is takes it.
        for (PageRow& row : m_pages)
            if (row.page->OnMessage(message, wParam, lParam, result))
                return result;
        break;
    case WM_EDITITEM_CHANGED:
        if (CDialogPage* page = PageOf(reinterpret_cast<HWND>(lParam)))
            if (page->OnMessage(message, wParam, lParam, result))
                return result;
        break;
    case WM_SLIDER_TRACK_CLICKED:
        // Nothing to do on this yet; taken so that it goes no further.
        return 0;
    case WM_GUI_QUERY_ITEM:
        // A drop-down about to open its list: nothing here depends on which
        // one, and its choice comes as WM_DROPDOWN_SELCHANGE; taken so that
        // it goes no further.
        return 0;
    default:
        // A list control's reports go to the page that holds the list.
        if (HWND list = CXListCtrl::ReportSender(message, wParam, lParam)) {
            if (CDialogPage* page = PageOf(list))
                if (page->OnMessage(message, wParam, lParam, result))
                    return result;
            return 0;
        }
        break;
    }
    return CGUIPanel::WindowProc(message, wParam, lParam);
}

BOOL CKespaAppDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    CDialogPage* page = m_currentPage;
    // The current page's own items go to its page object.
    CGUIItem* own = page ? page->FindByWindow(sender) : nullptr;
    CGUIItem* item = own ? own : FindItemByWindow(sender, &m_items);
    // A notification of a page's own item (an edit's EN_KILLFOCUS) is the page's.
    LRESULT handled = 0;
    if (own && HIWORD(wParam) != BN_CLICKED && page->OnMessage(WM_COMMAND, wParam, lParam, handled))
        return TRUE;
    const bool clickable = item && (item->m_itemType == kItemBitmapButton || item->m_itemType == kItemTextItem);
    if (clickable && !(own && page->OnCommand(item->m_itemId))) {
        switch (item->m_itemId) {
        case BUTTON_OK:
            // On purpose through WM_CLOSE and so the Cancel path: after a
            // write the keyboard took, nothing is dirty and Cancel only ends.
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
            // The lighting snapshot follows once the keyboard took the write.
            SaveToDevice();
            if (previous)
                ::SetCursor(previous);
            break;
        }
        case BUTTON_ASSIGNKEYS: ShowPage(kPageKeys); break;
        case BUTTON_MANAGEPROFILES: ShowPage(kPageProfiles); break;
        case BUTTON_MANAGEMACROS:
            ShowPage(kPageMacros);
            m_macros.OnShown();
            break;
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

#include "config/CProfilesPage.h"

#include "config/CKespaNameEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/FileChoice.h"
#include "config/ItemLookup.h"
#include "config/ProfileRules.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CXListCtrl.h"
#include "model/store/ProfileFiles.h"
#include "platform/CWnd.h"
#include "platform/Guid.h"

namespace {

// The active profile's row stands out in this colour, selected or not.
constexpr COLORREF kActiveRowText = 0x00FF00;

const wchar_t kUnassignCommand[] = L"$UnassignApplication";

bool IsCommand(const CString& text, const wchar_t* command) { return CompareNoCase(text, command) == 0; }

}  // namespace

void CProfilesPage::Bind() {
    m_list = FindItem<CXListCtrl>(m_items, LIST_PROFILELIST, kItemListCtrl);
    m_options = FindItem<CListPanelItem>(m_items, LISTPANEL_PROFILEOPTIONS, kItemListPanel);
    m_osdButton = FindItem<CBitmapBtn>(m_items, BUTTON_ENABLE_PROFILE_OSD, kItemBitmapButton);
    if (m_list)
        m_list->SetCellMenu(m_options);
}

void CProfilesPage::Refresh() {
    FillProfileList();
    if (m_osdButton) {
        IKeyboardProfile* active = Store().GetActiveProfile();
        m_osdButton->SetCheckState(active && active->GetShowOsd() ? 1 : 0);
    }
}

void CProfilesPage::FillProfileList() {
    if (!m_list)
        return;
    const int count = Store().GetProfileCount();
    // Keys are indexes: the surplus rows are the last ones.
    for (int key = m_list->GetItemCount() - 1; key >= count; --key)
        m_list->DeleteRow(key);
    for (int key = m_list->GetItemCount(); key < count; ++key)
        m_list->AddRow(key);
    const int marked = ActiveProfileIndex(Store());
    for (int key = 0; key < count; ++key) {
        IKeyboardProfile* profile = Store().GetProfile(key);
        if (!profile)
            continue;
        CString number;
        number.Format(L"%02d", key + 1);
        m_list->SetCellCheck(key, LCITEM_PROFILECURRENT, key == marked ? 1 : 0);
        m_list->SetCellText(key, LCITEM_PROFILEID, number);
        m_list->SetCellText(key, LCITEM_PROFILENAME, profile->GetName());
        m_list->SetCellText(key, LCITEM_PROFILEEXE, profile->GetLinkedApplicationName());
        m_list->SetCellCheck(key, LCITEM_AUTOSWITCH, profile->GetAutoSwitch() ? 1 : 0);
        const bool active = key == marked;
        m_list->SetRowColours(m_list->FindRowByKey(key), active ? kActiveRowText : m_list->GetFontColour(),
                              m_list->GetBackColour(), active ? kActiveRowText : m_list->GetSelectedFontColour(),
                              m_list->GetSelectedBackColour());
    }
    ShowProfileDetails(marked);
}

void CProfilesPage::ShowProfileDetails(int32_t rowKey) {
    if (!m_options)
        return;
    if (rowKey < 0 && m_list)
        rowKey = m_list->GetSelectedKey();
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    const int entry = m_options->FindEntry(kUnassignCommand);
    if (entry < 0)
        return;
    std::vector<ListPanelEntry> entries = m_options->GetEntries();
    const int32_t disabled = profile && !profile->GetLinkedApplicationName().IsEmpty() ? 0 : 1;
    if (entries[static_cast<size_t>(entry)].disabled == disabled)
        return;
    entries[static_cast<size_t>(entry)].disabled = disabled;
    m_options->SetEntries(entries);
}

void CProfilesPage::SelectFirstProfile() {
    IKeyboardProfile* first = Store().GetProfile(0);
    if (first && m_list) {
        FillProfileList();
        m_list->SelectRow(0);
    }
    m_host.SwitchProfile(first);
}

bool CProfilesPage::OnCommand(int32_t itemId) {
    const int32_t selected = m_list ? m_list->GetSelectedKey() : -1;
    switch (itemId) {
    case BUTTON_NEWPROFILE: NewProfile(); return true;
    case BUTTON_IMPORTPROFILE: ImportProfile(); return true;
    case BUTTON_EXPORTPROFILE: ExportProfile(selected); return true;
    case BUTTON_DELETEPROFILE: DeleteProfile(selected); return true;
    case BUTTON_ENABLE_PROFILE_OSD:
        SetOsdForAll(m_osdButton && m_osdButton->GetCheckState() != 0);
        return true;
    default: return false;
    }
}

bool CProfilesPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!m_list || CXListCtrl::ReportSender(message, wParam, lParam) != WindowOf(m_list))
        return false;
    result = 0;
    if (message == WM_XLIST_CELL_CLICKED)
        return true;
    const auto* record = reinterpret_cast<const XListNotify*>(lParam);
    if (!record)
        return true;
    const auto* text = static_cast<const wchar_t*>(record->value);
    switch (message) {
    case WM_XLIST_ASSIGN_APPLICATION: LinkProgram(record->rowKey, text ? text : L""); break;
    case WM_XLIST_CHECK_CHANGED: OnCheckChanged(*record); break;
    case WM_XLIST_ITEM_ACTIVATED:
        ShowProfileDetails(record->rowKey);
        SetActive(record->rowKey);
        break;
    case WM_XLIST_ROW_SELECTED: ShowProfileDetails(record->rowKey); break;
    case WM_XLIST_MENU_COMMAND: OnMenuCommand(record->rowKey, text ? text : L""); break;
    case WM_XLIST_LABEL_EDITED:
        if (record->column == LCITEM_PROFILENAME)
            RenameInPlace(record->rowKey, text ? text : L"");
        break;
    default: break;
    }
    return true;
}

void CProfilesPage::OnCheckChanged(const XListNotify& record) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), record.rowKey);
    if (!profile || !record.value)
        return;
    const bool on = *static_cast<const bool*>(record.value);
    switch (m_list ? m_list->GetColumnType(record.column) : -1) {
    case kCellIcon:
        // The marker moved to this row: it is the active profile now.
        if (on)
            m_host.SwitchProfile(profile);
        break;
    case kCellCheckbox: SetAutoSwitch(record.rowKey, on); break;
    default: break;
    }
}

void CProfilesPage::OnMenuCommand(int32_t rowKey, const CString& command) {
    if (IsCommand(command, L"$New"))
        NewProfile();
    else if (IsCommand(command, L"$Rename"))
        RenameProfile(rowKey);
    else if (IsCommand(command, L"$Copy"))
        CopyProfile(rowKey);
    else if (IsCommand(command, L"$Delete"))
        DeleteProfile(rowKey);
    else if (IsCommand(command, L"$SetActive"))
        SetActive(rowKey);
    else if (IsCommand(command, L"$RestoreDefault"))
        RestoreDefaults(rowKey);
    else if (IsCommand(command, L"$Import"))
        ImportProfile();
    else if (IsCommand(command, L"$Export"))
        ExportProfile(rowKey);
    // "$Preview" and anything else: nothing to do.
}

bool CProfilesPage::Warn(const wchar_t* skinFile, const CString& name, const wchar_t* message) {
    CKespaWarningDlg warning(&m_host.Window(), skinFile, name.IsEmpty() ? nullptr : (L": " + name).GetString());
    if (message)
        warning.SetText(message);
    return warning.DoModal() == IDOK;
}

bool CProfilesPage::AcceptName(const CString& name) {
    switch (JudgeProfileName(Store(), name)) {
    case NameVerdict::Accepted: return true;
    case NameVerdict::Reserved: Warn(L"ProfileNameRefusedPopup.xml", name); return false;
    case NameVerdict::Taken: Warn(L"DuplicateProfileWarningPopup.xml", name); return false;
    case NameVerdict::Empty: return false;
    }
    return false;
}

void CProfilesPage::NewProfile() {
    if (Store().GetProfileCount() >= kMaxProfiles) {
        Warn(L"ProfileLimitReachedPopup.xml");
        return;
    }
    CString name;
    CKespaNameEntryPopup popup(&m_host.Window(), L"ProfileNamePopup.xml", name);
    if (popup.DoModal() != IDOK || !AcceptName(name))
        return;
    if (IKeyboardProfile* created = Store().CreateProfile(name))
        m_host.SwitchProfile(created);
}

void CProfilesPage::RenameProfile(int32_t rowKey) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    CString name = profile->GetName();
    CKespaNameEntryPopup popup(&m_host.Window(), L"ProfileRenamePopup.xml", name);
    if (popup.DoModal() != IDOK || !AcceptName(name))
        return;
    if (Store().RenameProfile(profile, name)) {
        m_host.SetDirty(1);
        m_host.RefreshPages();
    }
}

void CProfilesPage::RenameInPlace(int32_t rowKey, const CString& name) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    if (!AcceptName(name) || !Store().RenameProfile(profile, name)) {
        RestoreNameCell(rowKey);
        return;
    }
    m_host.SetDirty(1);
    m_host.RefreshPages();
}

void CProfilesPage::RestoreNameCell(int32_t rowKey) {
    if (IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey); profile && m_list)
        m_list->SetCellText(rowKey, LCITEM_PROFILENAME, profile->GetName());
}

void CProfilesPage::CopyProfile(int32_t rowKey) {
    IKeyboardProfile* source = ProfileOfRow(Store(), rowKey);
    if (!source)
        return;
    if (Store().GetProfileCount() >= kMaxProfiles) {
        Warn(L"ProfileLimitReachedPopup.xml", CString(), L"$Copy");
        return;
    }
    const CString name = CopyProfileName(Store(), source->GetName());
    if (name.IsEmpty())
        return;
    if (IKeyboardProfile* copy = Store().DuplicateProfile(source, name))
        m_host.SwitchProfile(copy);
}

void CProfilesPage::DeleteProfile(int32_t rowKey) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    if (!IsProfileDeletable(Store(), profile)) {
        Warn(L"DisallowDeletePopup.xml", profile->GetName());
        return;
    }
    if (!Warn(L"ConfirmDeletePopup.xml", profile->GetName()))
        return;
    // The popup ran modal: the profile is found again rather than trusted.
    profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    m_host.ClearAssignmentsTo(DeletedTarget{DeletedTarget::Profile, profile->GetGuid(), profile->GetName()});
    Store().DeleteProfile(profile);
    m_host.SetDirty(1);
    if (Store().GetActiveProfile())
        m_host.RefreshPages();
    else
        SelectFirstProfile();
}

void CProfilesPage::SetActive(int32_t rowKey) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (profile && profile != Store().GetActiveProfile())
        m_host.SwitchProfile(profile);
}

void CProfilesPage::RestoreDefaults(int32_t rowKey) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile || !Warn(L"RestorePopup.xml", profile->GetName()))
        return;
    profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    ApplyNewProfileDefaults(*profile);
    m_host.SetDirty(1);
    // The keys page's marks and the lighting follow the active profile,
    // and the keyboard shows its lighting at once, as after the keys page's
    // Restore Defaults.
    m_host.RefreshPages();
    if (profile == Store().GetActiveProfile())
        m_host.ApplyLighting();
}

void CProfilesPage::LinkProgram(int32_t rowKey, const CString& path) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    if (!LinkedProgramFits(path)) {
        if (m_list)
            m_list->SetCellText(rowKey, LCITEM_PROFILEEXE, profile->GetLinkedApplicationName());
        Warn(L"PathLengthLimitReachedPopUp.xml", CString(), L"$AssignApplication");
        return;
    }
    profile->SetLinkedApplication(path);
    if (m_list)
        m_list->SetCellText(rowKey, LCITEM_PROFILEEXE, profile->GetLinkedApplicationName());
    ShowProfileDetails(rowKey);
    m_host.SetDirty(1);
}

void CProfilesPage::SetAutoSwitch(int32_t rowKey, bool on) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    if (on && profile->GetLinkedApplicationName().IsEmpty()) {
        if (m_list)
            m_list->SetCellCheck(rowKey, LCITEM_AUTOSWITCH, 0);
        Warn(L"SelectApplicationWarningPopup.xml", profile->GetName());
        return;
    }
    profile->SetAutoSwitch(on ? 1 : 0);
    m_host.SetDirty(1);
}

void CProfilesPage::SetOsdForAll(bool on) {
    Store().SetShowOsdAll(on ? 1 : 0);
    m_host.SetDirty(1);
}

IGenDevice* CProfilesPage::IdleDevice() {
    IGenDevice* device = Device();
    if (device)
        m_host.WaitWhileWriting();
    return device;
}

CString CProfilesPage::ChooseProfileFile(bool save) {
    return ChooseKeyboardFile(m_host.Window(), save, kProfileExtension, L"Profile",
                              GetApplicationDirectory() + L"save\\");
}

void CProfilesPage::ImportProfile() {
    if (Store().GetProfileCount() >= kMaxProfiles) {
        Warn(L"ProfileLimitReachedPopup.xml", CString(), L"$Import");
        return;
    }
    IGenDevice* device = IdleDevice();
    // A profile comes in on the keyboard: the store must hold what the
    // keyboard holds first.
    if (!device || device->CountDeviceProfiles() != Store().GetProfileCount() || m_host.IsDirty()) {
        Warn(L"ImporttProfileWarningPopup.xml", CString(), L"$Import");
        return;
    }
    const CString path = ChooseProfileFile(false);
    if (path.IsEmpty())
        return;
    if (path.GetLength() > kMaxProfilePathChars) {
        Warn(L"PathLengthLimitReachedPopUp.xml", CString(), L"$Import");
        return;
    }
    // A failed import leaves the store and the keyboard as they were.
    if (!IdleDevice()->ImportProfile(path, &Store())) {
        Warn(L"FileErrorPopUp.xml");
        return;
    }
    m_host.RefreshPages();
    m_host.SetDirty(1);
}

void CProfilesPage::ExportProfile(int32_t rowKey) {
    IKeyboardProfile* profile = ProfileOfRow(Store(), rowKey);
    if (!profile)
        return;
    IGenDevice* device = IdleDevice();
    if (!device || IsNullGuid(profile->GetGuid()) || m_host.IsDirty() || !device->DeviceHasProfile(profile)) {
        Warn(L"ExportProfileWarningPopup.xml", profile->GetName());
        return;
    }
    const CString path = ChooseProfileFile(true);
    if (path.IsEmpty())
        return;
    profile = ProfileOfRow(Store(), rowKey);
    if (!profile || !IdleDevice()->ExportProfile(path, profile))
        Warn(L"FileErrorPopUp.xml");
}

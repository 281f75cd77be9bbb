#include "config/CKeysPage.h"

#include "config/CKespaDropdownSelectPopup.h"
#include "config/CKespaMacroAssignmentPopup.h"
#include "config/CKespaNumEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/CPoldPopupBoxSingleKeyEntry.h"
#include "config/ItemLookup.h"
#include "config/ProfileDropdown.h"
#include "config/ProfileRules.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CBitmapItem.h"
#include "gui/widgets/CDropdownListItem.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/widgets/CKeyboardKeyItem.h"
#include "gui/widgets/CTextItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/KeyStroke.h"
#include "gui/skin/SymbolIds.h"
#include "platform/CWnd.h"
#include "platform/Debug.h"

#include <commdlg.h>

CGUIItem* CKeysPage::FindByWindow(HWND window) const {
    CGUIItem* item = m_items.FindByWindow(window);
    return item ? item : m_layout.FindByWindow(window);
}

void CKeysPage::ShowAll(bool show) {
    m_items.ShowAll(show);
    m_layout.ShowAll(show);
}

void CKeysPage::Bind() {
    m_keyboardPicture = FindItem<CBitmapItem>(m_layout, BITMAP_MECHKBD, kItemBitmapItem);
    for (int i = 0; i < 6; ++i) {
        m_assignButtons[i] = FindItem<CBitmapBtn>(m_items, BUTTON_ASSIGNSELECT_DEFAULT + i, kItemBitmapButton);
        m_assignTexts[i] = FindItem<CTextItem>(m_items, TEXT_ASSIGNSELECT_DEFAULT + i, kItemTextItem);
    }
    m_infoWindow = FindItem<CBitmapWindow>(m_items, BITMAPWIN_ASSIGNKEY, kItemBitmapWindow);
    if (m_infoWindow)
        m_infoWindow->SetTextBand(true);
    m_profiles = FindItem<CDropdownListItem>(m_items, LIST_GLOBALPROFILELIST, kItemDropdownList);
    // "Profile:" before the name says what the drop-down chooses.
    if (m_profiles)
        PrepareProfileDropdown(*m_profiles);
    EnableAssignmentButtons(false);
    // The keys sit on the keyboard picture: the picture stays beneath them
    // and never paints over them.
    if (HWND picture = WindowOf(m_keyboardPicture)) {
        ::SetWindowLongPtrW(picture, GWL_STYLE, ::GetWindowLongPtrW(picture, GWL_STYLE) | WS_CLIPSIBLINGS);
        ::SetWindowPos(picture, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CKeysPage::Refresh() {
    FillProfileDropdown();
    // The macro and profile buttons follow the macros and profiles there are.
    RefreshKeyPage();
}

bool CKeysPage::OnCommand(int32_t itemId) {
    switch (itemId) {
    case BUTTON_ASSIGNSELECT_DEFAULT: AssignDefault(); return true;
    case BUTTON_ASSIGNSELECT_SINGLEKEY: AssignSingleKey(); return true;
    case BUTTON_ASSIGNSELECT_MACRO: AssignMacro(); return true;
    case BUTTON_ASSIGNSELECT_PROFILE: AssignProfile(); return true;
    case BUTTON_ASSIGNSELECT_LAUNCHPROGRAM: AssignProgram(); return true;
    case BUTTON_ASSIGNSELECT_DISABLE: AssignDisabled(); return true;
    case BUTTON_RESET: ResetProfile(); return true;
    default: return false;
    }
}

bool CKeysPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_KEYITEM_HOVER:
        OnKeyHover(static_cast<int32_t>(lParam));
        break;
    case WM_KEYITEM_CLICKED:
        OnKeyClicked(static_cast<int32_t>(lParam));
        break;
    case WM_DROPDOWN_SELCHANGE:
        if (!m_profiles || reinterpret_cast<HWND>(lParam) != WindowOf(m_profiles))
            return false;
        OnDropdownChoice(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void CKeysPage::OnNcMouseMove(POINT screenPoint) {
    // Off the keys over the window's own background: the next hover, of
    // whichever key, writes its text again.  A disabled control under the
    // pointer (the assignment buttons just after an assignment) sends its
    // moves there too, and is no background.
    HWND window = m_host.Window().GetSafeHwnd();
    POINT client = screenPoint;
    ::ScreenToClient(window, &client);
    HWND under = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!m_selectedKey && (!under || under == window)) {
        ClearInfoWindow();
        m_hoveredKey = nullptr;
    }
}

void CKeysPage::FillProfileDropdown() {
    if (m_profiles)
        ::FillProfileDropdown(*m_profiles, Store());
}

void CKeysPage::OnDropdownChoice(int index, HWND) {
    // Only the profile drop-down's choices come here (OnMessage).
    if (!CHECK_INVARIANT(m_profiles))
        return;
    if (IKeyboardProfile* chosen = ProfileToSwitchTo(*m_profiles, index, Store()))
        m_host.SwitchProfile(chosen);
}

int32_t CKeysPage::KeyIdOf(const CKeyboardKeyItem* key) const {
    return key && key->GetKeyEntry() ? key->GetKeyEntry()->keyId : 0;
}

KeyAssignment CKeysPage::DefaultRecordOf(int32_t keyId) const {
    return KeyAssignment::DefaultKey(GetKeyboardDef().GetKeyTableValue(keyId));
}

std::vector<CKeyboardKeyItem*> CKeysPage::KeyItems() const {
    std::vector<CKeyboardKeyItem*> keys;
    for (int32_t id = BUTTON_KB_ESC; id <= BUTTON_KB_INTL5_MUHENKAN; ++id)
        if (auto* key = FindItem<CKeyboardKeyItem>(m_layout, id, kItemKeyboardKey))
            if (key->GetKeyEntry())
                keys.push_back(key);
    return keys;
}

void CKeysPage::EnableAssignmentButtons(bool enable) {
    const bool haveMacros = Store().GetMacroCount() > 0;
    const bool haveProfiles = Store().GetProfileCount() >= 2;
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

void CKeysPage::UpdateKeyMarks() {
    if (!Store().GetActiveProfile())
        return;
    for (CKeyboardKeyItem* key : KeyItems()) {
        if (key == m_selectedKey) {
            if (!key->IsPressedHighlight())
                key->SetPressedHighlight(true);
            continue;
        }
        const int32_t kind = Store().GetKeyAssignment(KeyIdOf(key), nullptr).type;
        const int marked = kind != AssignmentDefaultKey && kind != AssignmentNone ? 1 : 0;
        if (key->GetCheckState() != marked)
            key->SetCheckState(marked);
        if (key->IsPressedHighlight())
            key->SetPressedHighlight(false);
    }
}

void CKeysPage::RefreshKeyPage() {
    UpdateKeyMarks();
    EnableAssignmentButtons(m_selectedKey != nullptr);
    m_host.Window().Invalidate(false);
}

void CKeysPage::FormatAssignmentText(CKeyboardKeyItem* key) {
    if (!m_infoWindow || !key)
        return;
    KeyAssignment record = Store().GetKeyAssignment(KeyIdOf(key), nullptr);
    if (record.type == AssignmentNone)
        record.type = AssignmentDefaultKey;
    const AssignmentText shown = ::FormatAssignmentText(
        record, Store(), key->GetCaption(), [](uint16_t scan, uint16_t vk, bool extended) {
            CString name;
            KeyStroke::GetKeyDisplayName(vk, scan, extended, name);
            return name;
        });
    m_infoWindow->SetText(shown.text);
    m_infoWindow->SetAssignmentType(shown.icon);
    CRect cap;
    key->GetClientRect(&cap);
    // The key as it looks on the keyboard, legend and all; its bare picture
    // when it cannot be drawn.
    const CBitmap* look = key->RenderLook(CBitmapBtn::kNormal, m_keyLook) ? &m_keyLook
                                                                          : &key->GetPicture(CBitmapBtn::kNormal);
    m_keyPicture = PictureRecord{look, nullptr, cap};
    m_infoWindow->SetExtraPicture(&m_keyPicture);
    m_infoWindow->Invalidate(false);
    // Every caller writes with the window unlocked.
    m_shownKey = key;
}

void CKeysPage::RefreshInfoWindow() {
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

void CKeysPage::ClearInfoWindow() {
    m_shownKey = nullptr;
    if (!m_infoWindow)
        return;
    m_infoWindow->SetText(L"");
    m_infoWindow->SetAssignmentType(0);
    m_infoWindow->SetExtraPicture(nullptr);
    m_infoWindow->Invalidate(false);
}

void CKeysPage::OnKeyHover(int32_t id) {
    m_hoveredKey = FindItem<CKeyboardKeyItem>(m_layout, id, kItemKeyboardKey);
    // Written again only when the window shows another key (or none): a
    // hover comes with every move of the pointer over the key.
    if (m_selectedKey || m_hoveredKey == m_shownKey)
        return;
    if (m_hoveredKey)
        FormatAssignmentText(m_hoveredKey);
    else
        ClearInfoWindow();
}

void CKeysPage::OnKeyClicked(int32_t id) {
    CKeyboardKeyItem* key = FindItem<CKeyboardKeyItem>(m_layout, id, kItemKeyboardKey);
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

void CKeysPage::EndAssignment(bool releaseCapture) {
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
        m_host.Window().SetFocus();
    }
    // The window shows what the key does now, not what it did before.
    if (assigned)
        FormatAssignmentText(assigned);
    RefreshKeyPage();
    m_host.SetDirty(1);
}

bool CKeysPage::HasAssignableKey() const {
    // The assignment buttons are enabled only while a key is selected; a
    // selected key without a key entry (a skin's key the table lacks) has
    // nothing to assign to.
    return CHECK_INVARIANT(m_selectedKey) && KeyIdOf(m_selectedKey) != 0;
}

void CKeysPage::StoreForSelectedKey(const KeyAssignment& record, bool checked) {
    // Every caller checked the selection; the popups on the way run modal
    // and take no selection away.
    if (!CHECK_INVARIANT(m_selectedKey))
        return;
    Store().SetKeyAssignment(KeyIdOf(m_selectedKey), record, nullptr);
    m_selectedKey->SetCheckState(checked ? 1 : 0);
}

void CKeysPage::AssignDefault() {
    if (!HasAssignableKey())
        return;
    StoreForSelectedKey(DefaultRecordOf(KeyIdOf(m_selectedKey)), false);
    EndAssignment(true);
}

void CKeysPage::AssignDisabled() {
    if (!HasAssignableKey())
        return;
    StoreForSelectedKey(KeyAssignment::Disabled(), true);
    EndAssignment(true);
}

void CKeysPage::AssignSingleKey() {
    if (!HasAssignableKey())
        return;
    if (Device())
        Device()->SetDeviceMode2();
    KeyEntryResult result;
    CPoldPopupBoxSingleKeyEntry popup(&m_host.Window(), result);
    const INT_PTR answer = popup.DoModal();
    if (Device())
        Device()->SetDeviceMode1();
    if (answer != IDOK || !SingleKeyResultCounts(result))
        return;
    StoreForSelectedKey(MakeSingleKeyRecord(result), true);
    EndAssignment(false);
}

void CKeysPage::AssignMacro() {
    if (!HasAssignableKey() || Store().GetMacroCount() == 0)
        return;
    std::vector<CString> names;
    for (int i = 0; i < Store().GetMacroCount(); ++i)
        if (CMacro* macro = Store().GetMacro(i))
            names.push_back(macro->GetName());
    CString name;
    int mode = 1;
    const KeyAssignment current = Store().GetKeyAssignment(KeyIdOf(m_selectedKey), nullptr);
    if (current.type == AssignmentMacro)
        if (CMacro* macro = Store().FindMacroByGuid(current.GetGuid())) {
            name = macro->GetName();
            mode = current.playMode;
        }
    CKespaMacroAssignmentPopup popup(&m_host.Window(), names, name, mode);
    if (popup.DoModal() != IDOK || name.IsEmpty())
        return;
    if (CMacro* macro = Store().FindMacroByName(name)) {
        int repeat = 0;
        bool store = true;
        if (mode == kPlayModeRepeat) {
            CKespaNumEntryPopup count(&m_host.Window(), L"MacroRepeatEntryPopup.xml", repeat);
            store = count.DoModal() == IDOK && repeat != 0;
        }
        if (store)
            StoreForSelectedKey(MakeMacroRecord(*macro, mode, repeat), true);
    }
    EndAssignment(false);
}

void CKeysPage::AssignProfile() {
    if (!HasAssignableKey() || Store().GetProfileCount() < 2)
        return;
    IKeyboardProfile* active = Store().GetActiveProfile();
    std::vector<CString> names;
    for (int i = 0; i < Store().GetProfileCount(); ++i) {
        IKeyboardProfile* profile = Store().GetProfile(i);
        if (profile && profile != active)
            names.push_back(profile->GetName());
    }
    CString name;
    const KeyAssignment current = Store().GetKeyAssignment(KeyIdOf(m_selectedKey), nullptr);
    if (current.type == AssignmentProfileSwitch)
        if (IKeyboardProfile* profile = Store().FindProfileByGuid(current.GetGuid()))
            name = profile->GetName();
    CKespaDropdownSelectPopup popup(&m_host.Window(), L"SelectProfilePopup.xml", names, name);
    if (popup.DoModal() != IDOK || name.IsEmpty())
        return;
    IKeyboardProfile* profile = FindProfileExactly(Store(), name);
    if (!profile)
        return;
    StoreForSelectedKey(MakeProfileRecord(*profile), true);
    EndAssignment(false);
}

void CKeysPage::AssignProgram() {
    if (!HasAssignableKey())
        return;
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    // Owned by this window, so it stays in front of it and blocks it.
    dialog.hwndOwner = m_host.Window().GetSafeHwnd();
    dialog.lpstrFilter = L"*.exe\0*.exe\0\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog) || !path[0])
        return;
    CVqApp* application = Store().FindApplicationByName(path);
    if (!application)
        application = Store().AddApplication(path);
    if (!application)
        return;
    StoreForSelectedKey(MakeProgramRecord(*application, path), true);
    EndAssignment(false);
}

void CKeysPage::ResetProfile() {
    IKeyboardProfile* active = Store().GetActiveProfile();
    if (!active)
        return;
    CKespaWarningDlg confirm(&m_host.Window(), L"RestorePopup.xml", CString(L": ") + active->GetName());
    if (confirm.DoModal() != IDOK)
        return;
    ApplyNewProfileDefaults(*active);
    if (m_selectedKey) {
        m_selectedKey->SetPressedHighlight(false);
        m_selectedKey = nullptr;
    }
    if (m_infoWindow)
        m_infoWindow->SetLocked(false);
    m_host.RefreshPages();
    // The keyboard shows the profile's own lighting again at once.
    m_host.ApplyLighting();
    RefreshKeyPage();
    RefreshInfoWindow();
    m_host.SetDirty(1);
}

void CKeysPage::ClearAssignmentsTo(const DeletedTarget& target) {
    const std::vector<int32_t> changed = ::ClearAssignmentsTo(Store(), GetKeyboardDef().GetAssignableIds(), target,
                                                              [this](int32_t keyId) { return DefaultRecordOf(keyId); });
    for (CKeyboardKeyItem* key : KeyItems())
        for (int32_t id : changed)
            if (KeyIdOf(key) == id) {
                key->SetCheckState(0);
                key->Invalidate(false);
            }
}

#include "config/CMacrosPage.h"

#include "config/CKespaNameEntryPopup.h"
#include "config/CKespaWarningDlg.h"
#include "config/CTilvorPopupBoxSingleKeyEntry.h"
#include "config/FileChoice.h"
#include "config/ItemLookup.h"
#include "config/MacroPageRules.h"
#include "config/WidgetAccess.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/KeyStroke.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CDropdownListItem.h"
#include "gui/widgets/CEditItem.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CMacroDisplayItem.h"
#include "gui/widgets/CTextItem.h"
#include "model/store/CPredefinedMacroList.h"
#include "model/store/CSyncedState.h"
#include "platform/CStringArray.h"
#include "platform/CWnd.h"

#include <algorithm>

namespace {

const wchar_t kMacroExtension[] = L"vqm";
// A chosen path this long or longer is refused.
constexpr int kMaxPathLength = 256;

CString StepKeyName(const MacroStep& step) {
    CString name;
    KeyStroke::GetKeyDisplayName(static_cast<uint32_t>(step.value) >> 16, step.value & 0xFFFF,
                                 (step.flags & kStepExtended) != 0, name);
    return name;
}

}  // namespace

// ---------------------------------------------------------------------------
// Binding, showing, states

void CMacrosPage::Bind() {
    m_macroList = FindItem<CDropdownListItem>(m_items, LIST_GLOBALMACROLIST, kItemDropdownList);
    m_basicCommands = FindItem<CDropdownListItem>(m_items, LIST_GLOBAL_BASIC_COMMANDS, kItemDropdownList);
    m_advancedCommands = FindItem<CDropdownListItem>(m_items, LIST_GLOBAL_ADDITIONAL_COMMANDS, kItemDropdownList);
    m_addBasic = FindItem<CBitmapBtn>(m_items, BUTTON_ADD_BASIC_MACRO_CMDS, kItemBitmapButton);
    m_addAdvanced = FindItem<CBitmapBtn>(m_items, BUTTON_ADD_ADV_MACRO_CMDS, kItemBitmapButton);
    m_insertDelay = FindItem<CBitmapBtn>(m_items, BUTTON_INSERT_DELAY, kItemBitmapButton);
    m_editor = FindItem<CMacroDisplayItem>(m_items, MACRO_DISPLAY, kItemMacroDisplay);
    m_preview = FindItem<CMacroDisplayItem>(m_items, MACRO_DISPLAY_READONLY, kItemMacroDisplay);
    m_menus[0] = FindItem<CListPanelItem>(m_items, LISTPANEL_MACROOPTIONS_KEYSTROKE, kItemListPanel);
    m_menus[1] = FindItem<CListPanelItem>(m_items, LISTPANEL_MACROOPTIONS_DELAY, kItemListPanel);
    m_menus[2] = FindItem<CListPanelItem>(m_items, LISTPANEL_MACROOPTIONS_MOUSECLICK, kItemListPanel);
    m_create = FindItem<CGUIItem>(m_items, BUTTON_MACRO_CREATE);
    m_import = FindItem<CGUIItem>(m_items, BUTTON_MACRO_IMPORT);
    m_export = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_EXPORT, kItemBitmapButton);
    m_delete = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_DELETE, kItemBitmapButton);
    m_rename = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RENAME, kItemBitmapButton);
    m_back = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RECORD_BACKWARD, kItemBitmapButton);
    m_record = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RECORD_START, kItemBitmapButton);
    m_play = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RECORD_PLAY, kItemBitmapButton);
    m_stop = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RECORD_STOP, kItemBitmapButton);
    m_forward = FindItem<CBitmapBtn>(m_items, BUTTON_MACRO_RECORD_FORWARD, kItemBitmapButton);
    m_ignoreDelay = FindItem<CBitmapBtn>(m_items, BUTTON_IGNORE_DELAY, kItemBitmapButton);
    m_insertDefault = FindItem<CBitmapBtn>(m_items, BUTTON_INSERTDEFAULT_DELAY, kItemBitmapButton);
    m_ignoreDelayText = FindItem<CTextItem>(m_items, TEXT_IGNORE_DELAY, kItemTextItem);
    m_insertDefaultText = FindItem<CTextItem>(m_items, TEXT_INSERTDEFAULT_DELAY, kItemTextItem);
    m_delay = FindItem<CEditItem>(m_items, EDITCTRL_DELAY, kItemEdit);
    m_defaultDelay = FindItem<CEditItem>(m_items, EDITCTRL_DEFAULT_DELAY, kItemEdit);
    // A read-only twin that the skin forgot to mark so still only plays.
    if (m_preview)
        m_preview->SetReadOnly(true);
    if (m_editor) {
        m_editor->SetReadOnly(false);
        m_editor->SetStepMenus(m_menus[0], m_menus[1], m_menus[2]);
        m_editor->SetIgnoreDelays(false);
        m_editor->SetInsertDefaultDelay(false);
        m_editor->SetDefaultDelay(kStartDelayMs);
    }
    for (CEditItem* edit : {m_delay, m_defaultDelay})
        if (edit) {
            edit->m_numericOnly = true;
            edit->m_minValue = 1;
            edit->m_maxValue = kMaxStepDelay;
            SetEditText(edit, L"50");
        }
    for (CBitmapBtn* box : {m_ignoreDelay, m_insertDefault})
        if (box)
            box->SetCheckState(0);
    if (m_macroList)
        m_macroList->ClearSelection();
    FillPredefinedMacroDropdowns();
    SetMacroPageState(kNoMacro);
}

void CMacrosPage::Refresh() {
    // The store may have changed under the page (a read, a write that took
    // in the keyboard's changes): the same macro stays chosen while it is
    // there.
    const CString chosen = m_macroList && m_macroList->GetSelectedIndex() >= 0 ? m_macroList->GetCurrentText()
                                                                             : CString();
    FillMacroDropdown();
    if (!chosen.IsEmpty())
        SelectMacroByName(chosen);
    if (m_state == kRecording || m_state == kPlaying)
        return;
    ShowCurrentMacro();
    SetMacroPageState(CurrentMacro() ? kIdle : kNoMacro);
}

void CMacrosPage::ShowAll(bool show) {
    m_shown = show;
    m_items.ShowAll(show);
    if (!show)
        return;
    // Of the two displays, the state's one.
    if (m_editor)
        m_editor->Show(m_state != kPlaying);
    if (m_preview)
        m_preview->Show(m_state == kPlaying);
}

void CMacrosPage::OnShown() {
    if (m_state != kRecording && m_state != kPlaying)
        SetMacroPageState(CurrentMacro() ? kIdle : kNoMacro);
}

bool CMacrosPage::IsChecked(CBitmapBtn* box) const { return box && box->GetCheckState() != 0; }

void CMacrosPage::EnableItem(CGUIItem* item, bool enable) {
    if (!item)
        return;
    if (auto* dropdown = dynamic_cast<CDropdownListItem*>(item)) {
        dropdown->SetDisabled(!enable);
        return;
    }
    if (auto* text = dynamic_cast<CTextItem*>(item)) {
        text->SetDisabled(!enable);
        text->Invalidate(false);
        return;
    }
    if (HWND window = WindowOf(item))
        if ((::IsWindowEnabled(window) != FALSE) != enable)
            ::EnableWindow(window, enable);
}

void CMacrosPage::SetMacroPageState(int state) {
    m_state = state;
    const bool busy = state == kPlaying || state == kRecording;
    m_host.EnableMainControls(!busy);
    CGUIItem* const set[] = {m_create,          m_import,        m_export,        m_delete,
                             m_rename,          m_record,        m_play,          m_back,
                             m_forward,         m_insertDelay,   m_addBasic,      m_addAdvanced,
                             m_basicCommands,   m_advancedCommands, m_ignoreDelay, m_ignoreDelayText,
                             m_insertDefault,   m_insertDefaultText, m_delay,     m_defaultDelay};
    for (CGUIItem* item : set)
        EnableItem(item, !busy);
    if (state == kNoMacro)
        for (CGUIItem* item : std::initializer_list<CGUIItem*>{
                 m_export, m_delete, m_rename, m_play, m_back, m_forward, m_insertDelay, m_delay, m_addBasic,
                 m_addAdvanced, m_basicCommands, m_advancedCommands, m_ignoreDelay, m_ignoreDelayText,
                 m_insertDefault, m_insertDefaultText})
            EnableItem(item, false);
    if (m_stop) {
        // Stop ends a recording and a preview alike, and only those.
        m_stop->SetCaption(state == kPlaying ? L"$Stop" : L"$StopRecordingMacroEvents", kCaseUnchanged);
        EnableItem(m_stop, busy);
        m_stop->Invalidate(false);
    }
    EnableItem(m_editor, state != kPlaying);
    if (m_shown) {
        if (m_editor)
            m_editor->Show(state != kPlaying);
        if (m_preview)
            m_preview->Show(state == kPlaying);
    }
    EnableItem(m_preview, state == kPlaying);
    if (m_macroList)
        m_macroList->SetLocked(busy);
    EnableItem(m_defaultDelay, state == kIdle && IsChecked(m_insertDefault));
    for (CDropdownListItem* list : {m_basicCommands, m_advancedCommands})
        if (list)
            list->Invalidate(false);
}

// ---------------------------------------------------------------------------
// The drop-downs

void CMacrosPage::FillMacroDropdown() {
    if (!m_macroList)
        return;
    m_macroList->RemoveAllEntries();
    for (int i = 0; i < Store().GetMacroCount(); ++i)
        if (CMacro* macro = Store().GetMacro(i))
            m_macroList->AddEntry(macro->GetName());
    // The choice is made again by whoever refills.
    m_macroList->ClearSelection();
}

void CMacrosPage::FillPredefinedMacroDropdowns() {
    CStringArray names;
    const struct {
        CDropdownListItem* list;
        void (CPredefinedMacroList::*fill)(CStringArray&) const;
    } groups[] = {{m_basicCommands, &CPredefinedMacroList::FillBasicList},
                  {m_advancedCommands, &CPredefinedMacroList::FillAdvancedList}};
    for (const auto& group : groups) {
        if (!group.list)
            continue;
        group.list->RemoveAllEntries();
        (CPredefinedMacroList::Instance().*group.fill)(names);
        for (int i = 0; i < names.GetSize(); ++i)
            group.list->AddEntry(names.GetAt(i));
        // A command is there to add from the start.
        group.list->Select(0, nullptr);
    }
}

void CMacrosPage::SelectMacroByName(const CString& name) {
    if (!m_macroList)
        return;
    for (int i = 0; i < m_macroList->GetCount(); ++i)
        if (CompareNoCase(m_macroList->GetEntryText(i), name) == 0) {
            m_macroList->Select(i, nullptr);
            return;
        }
}

CMacro* CMacrosPage::CurrentMacro() {
    if (!m_macroList || m_macroList->GetSelectedIndex() < 0)
        return nullptr;
    return Store().FindMacroByName(m_macroList->GetCurrentText());
}

void CMacrosPage::ShowCurrentMacro() {
    if (!m_editor || m_editor->IsRecording())
        return;
    if (CMacro* macro = CurrentMacro())
        m_editor->LoadEvents(macro->steps);
    else
        m_editor->ClearEvents();
}

void CMacrosPage::ChooseMacro(int index) {
    if (index < 0 || !m_macroList || m_state == kRecording || m_state == kPlaying)
        return;
    CMacro* macro = Store().FindMacroByName(m_macroList->GetEntryText(index));
    if (!macro)
        return;
    if (m_editor)
        m_editor->LoadEvents(macro->steps);
    SetMacroPageState(kIdle);
}

void CMacrosPage::SetCurrentSteps(const std::vector<MacroStep>& steps, int selected) {
    CMacro* macro = CurrentMacro();
    if (!macro)
        return;
    macro->steps = steps;
    if (m_editor) {
        m_editor->LoadEvents(macro->steps);
        m_editor->SelectEvent(selected);
    }
    m_host.SetDirty(1);
}

// ---------------------------------------------------------------------------
// Commands and messages

bool CMacrosPage::OnCommand(int32_t itemId) {
    switch (itemId) {
    case BUTTON_MACRO_CREATE: NewMacro(); return true;
    case BUTTON_MACRO_IMPORT: ImportMacro(); return true;
    case BUTTON_MACRO_EXPORT: ExportMacro(); return true;
    case BUTTON_MACRO_DELETE: DeleteMacro(); return true;
    case BUTTON_MACRO_RENAME: RenameMacro(); return true;
    case BUTTON_MACRO_RECORD_START: StartRecording(); return true;
    case BUTTON_MACRO_RECORD_STOP: Stop(); return true;
    case BUTTON_MACRO_RECORD_PLAY: Play(); return true;
    case BUTTON_MACRO_RECORD_BACKWARD:
        if (m_editor && m_state == kIdle)
            m_editor->SelectEvent(0);
        return true;
    case BUTTON_MACRO_RECORD_FORWARD:
        if (m_editor && m_state == kIdle)
            m_editor->SelectEvent(static_cast<int>(m_editor->GetEvents().size()) - 1);
        return true;
    case BUTTON_IGNORE_DELAY: OnIgnoreDelay(); return true;
    case BUTTON_INSERTDEFAULT_DELAY: OnInsertDefaultDelay(); return true;
    case BUTTON_INSERT_DELAY: InsertDelay(); return true;
    case BUTTON_ADD_BASIC_MACRO_CMDS: InsertPredefined(m_basicCommands); return true;
    case BUTTON_ADD_ADV_MACRO_CMDS: InsertPredefined(m_advancedCommands); return true;
    default: return false;
    }
}

bool CMacrosPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_DROPDOWN_SELCHANGE: {
        const HWND sender = reinterpret_cast<HWND>(lParam);
        if (sender == WindowOf(m_macroList))
            ChooseMacro(static_cast<int>(wParam));
        // A command drop-down's choice waits for its Add button.
        return sender == WindowOf(m_macroList) || sender == WindowOf(m_basicCommands) ||
               sender == WindowOf(m_advancedCommands);
    }
    case WM_MACRO_EVENTS_CHANGED:
        if (!m_editor || lParam != MACRO_DISPLAY)
            return false;
        if (CMacro* macro = CurrentMacro(); macro && m_state != kRecording) {
            macro->steps = m_editor->GetEvents();
            m_host.SetDirty(1);
        }
        return true;
    case WM_MACRO_EDIT_KEY_EVENT:
        if (lParam != MACRO_DISPLAY)
            return false;
        EditKeyStep();
        return true;
    case WM_MACRO_PREVIEW_DONE:
        if (lParam != MACRO_DISPLAY_READONLY)
            return false;
        // Only a preview's end ends a preview: never a recording.
        if (m_state == kPlaying)
            Stop();
        return true;
    case WM_EDITITEM_CHANGED: {
        const HWND edit = reinterpret_cast<HWND>(lParam);
        if (edit != WindowOf(m_delay) && edit != WindowOf(m_defaultDelay))
            return false;
        OnDelayEditChanged(edit);
        return true;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) != EN_KILLFOCUS || reinterpret_cast<HWND>(lParam) != WindowOf(m_delay))
            return false;
        OnDelayEditLeft();
        return true;
    default: return false;
    }
}

void CMacrosPage::OnDeviceRemoved() {
    if (m_state == kRecording)
        StopRecording();
}

// ---------------------------------------------------------------------------
// Popups

void CMacrosPage::Warn(const wchar_t* skinFile, const CString& suffix, const wchar_t* message) {
    if (m_warningOpen)
        return;
    m_warningOpen = true;
    CKespaWarningDlg warning(&m_host.Window(), skinFile, suffix.IsEmpty() ? nullptr : suffix.GetString());
    if (message)
        warning.SetText(message);
    warning.DoModal();
    m_warningOpen = false;
}

// ---------------------------------------------------------------------------
// Macro operations

void CMacrosPage::NewMacro() {
    if (Store().GetMacroCount() >= kMaxMacros)
        return;
    CString name;
    CKespaNameEntryPopup popup(&m_host.Window(), L"MacroNamePopup.xml", name);
    if (popup.DoModal() != IDOK || name.IsEmpty())
        return;
    // Names are one macro's each, whatever their letter case.
    if (CMacro* taken = FindOtherMacroNamed(Store(), name, nullptr)) {
        Warn(L"DuplicateMacroWarningPopup.xml", CString(L": ") + taken->GetName());
        return;
    }
    CMacro* macro = Store().AddMacro(name);
    if (!macro)
        return;
    m_host.SetDirty(1);
    FillMacroDropdown();
    SelectMacroByName(macro->GetName());
    if (m_editor)
        m_editor->LoadEvents(macro->steps);
    SetMacroPageState(kIdle);
    // The key page's macro button follows the macros there are.
    m_host.RefreshPages();
}

void CMacrosPage::RenameMacro() {
    CMacro* macro = CurrentMacro();
    if (!macro || !m_macroList)
        return;
    const CString old = macro->GetName();
    CString name = old;
    CKespaNameEntryPopup popup(&m_host.Window(), L"MacroRenamePopup.xml", name);
    if (popup.DoModal() != IDOK || name.IsEmpty() || name == old)
        return;
    if (CMacro* taken = FindOtherMacroNamed(Store(), name, macro)) {
        Warn(L"DuplicateMacroWarningPopup.xml", CString(L": ") + taken->GetName());
        return;
    }
    const int index = m_macroList->GetSelectedIndex();
    macro->SetName(name);
    // Keys that play it by name (it is not on the keyboard yet) follow it.
    RenameMacroAssignments(Store(), GetKeyboardDef().GetAssignableIds(), old, macro->GetName());
    FillMacroDropdown();
    m_macroList->Select(index, nullptr);
    m_host.SetDirty(1);
    SetMacroPageState(kIdle);
    m_host.RefreshPages();
}

void CMacrosPage::DeleteMacro() {
    CMacro* macro = CurrentMacro();
    if (!macro)
        return;
    CKespaWarningDlg confirm(&m_host.Window(), L"ConfirmDeleteMacroPopup.xml",
                             CString(L": ") + macro->GetName());
    if (confirm.DoModal() != IDOK)
        return;
    // The popup ran modal: look the macro up again rather than trust it.
    macro = CurrentMacro();
    if (!macro)
        return;
    m_host.ClearAssignmentsTo(DeletedTarget{DeletedTarget::Macro, macro->guid, macro->GetName()});
    Store().DeleteMacro(macro);
    FillMacroDropdown();
    m_host.SetDirty(1);
    if (m_macroList && m_macroList->Select(0, nullptr)) {
        ShowCurrentMacro();
        SetMacroPageState(kIdle);
    } else {
        if (m_editor)
            m_editor->ClearEvents();
        SetMacroPageState(kNoMacro);
    }
    m_host.RefreshPages();
}


CString CMacrosPage::ChooseMacroFile(bool save) {
    // Beside the profile files the user keeps.
    return ChooseKeyboardFile(m_host.Window(), save, kMacroExtension, L"Macro", GetApplicationDirectory() + L"save\\");
}

void CMacrosPage::ImportMacro() {
    const CString path = ChooseMacroFile(false);
    if (path.IsEmpty())
        return;
    if (path.GetLength() >= kMaxPathLength) {
        Warn(L"PathLengthLimitReachedPopUp.xml", CString(), L"$Import");
        return;
    }
    IGenDevice* device = Device();
    if (!device || !m_host.WaitWhileWriting())
        return;
    const int before = Store().GetMacroCount();
    CString duplicate;
    if (!device->ImportMacro(path, &Store(), &duplicate)) {
        if (!duplicate.IsEmpty())
            Warn(L"DuplicateMacroWarningPopup.xml", CString(L": ") + duplicate);
        else
            Warn(L"FileErrorPopUp.xml");
        return;
    }
    FillMacroDropdown();
    // The imported macro is the one shown.
    if (CMacro* imported = Store().GetMacroCount() > before ? Store().GetMacro(before) : nullptr)
        SelectMacroByName(imported->GetName());
    ShowCurrentMacro();
    SetMacroPageState(CurrentMacro() ? kIdle : kNoMacro);
    m_host.SetDirty(1);
    m_host.RefreshPages();
}

void CMacrosPage::ExportMacro() {
    CMacro* macro = CurrentMacro();
    IGenDevice* device = Device();
    if (!macro || !device)
        return;
    const CString name = macro->GetName();
    if (!m_host.WaitWhileWriting())
        return;
    // Only what the keyboard holds can be exported: a macro it does not
    // have, or one changed since the last write, is applied first.
    const CSyncedState* synced = SyncedStateOf(&Store());
    const CMacro* known = synced ? synced->FindMacro(macro->guid) : nullptr;
    if (!device->DeviceHasMacro(macro) || (synced && (!known || MacroDiffers(*macro, *known)))) {
        Warn(L"ExportMacroWarningPopup.xml", CString(L": ") + name);
        return;
    }
    const CString path = ChooseMacroFile(true);
    if (path.IsEmpty())
        return;
    macro = Store().FindMacroByName(name);
    if (!macro || !m_host.WaitWhileWriting())
        return;
    if (!device->ExportMacro(path, macro))
        Warn(L"FileErrorPopUp.xml");
}

// ---------------------------------------------------------------------------
// Recording and preview

void CMacrosPage::StartRecording() {
    if (!CurrentMacro()) {
        NewMacro();
        return;
    }
    if (m_state != kIdle || !m_editor || m_editor->IsRecording())
        return;
    // The options are read before the keyboard changes its mode, so that a
    // refused start leaves it as it was.
    if (IsChecked(m_insertDefault)) {
        int32_t ms = 0;
        if (!ReadDelay(m_defaultDelay, ms))
            return;
        m_editor->SetDefaultDelay(ms);
    }
    IGenDevice* device = Device();
    if (device) {
        m_host.WaitWhileWriting();
        device->SetDeviceMode2();
    }
    if (!m_editor->ToggleRecording()) {
        if (device)
            device->SetDeviceMode1();
        return;
    }
    m_editor->SetFocus();
    m_editor->SetStopControl(WindowOf(m_stop));
    SetMacroPageState(kRecording);
    if (m_record)
        m_record->StartBlink(kBlinkMs, CBitmapBtn::kDown);
    m_host.Window().Invalidate(false);
}

void CMacrosPage::Stop() {
    if (m_state == kRecording) {
        StopRecording();
    } else if (m_state == kPlaying) {
        if (m_preview)
            m_preview->StopPreview();
        SetMacroPageState(kIdle);
        m_host.Window().Invalidate(false);
    }
}

void CMacrosPage::StopRecording() {
    if (IGenDevice* device = Device()) {
        m_host.WaitWhileWriting();
        device->SetDeviceMode1();
    }
    if (m_editor && m_editor->IsRecording()) {
        m_editor->ToggleRecording();
        if (CMacro* macro = CurrentMacro()) {
            macro->steps = m_editor->GetEvents();
            m_host.SetDirty(1);
        }
        m_editor->SetStopControl(nullptr);
    }
    if (m_record)
        m_record->StopBlink();
    SetMacroPageState(CurrentMacro() ? kIdle : kNoMacro);
    int32_t ms = 0;
    if (m_delay && m_editor && ParseDelayText(GetItemWindowText(m_delay), ms))
        m_editor->SetDefaultDelay(ms);
}

void CMacrosPage::Play() {
    CMacro* macro = CurrentMacro();
    if (!macro || !m_preview || m_state != kIdle)
        return;
    SetMacroPageState(kPlaying);
    // The preview keeps its own copy; an empty macro ends at once.
    m_preview->SetEvents(macro->steps);
}

// ---------------------------------------------------------------------------
// Editing steps

void CMacrosPage::InsertDelay() {
    int32_t ms = 0;
    if (!m_editor || !CurrentMacro() || !ReadDelay(m_delay, ms))
        return;
    const int selected = m_editor->GetSelectedIndex();
    if (selected < 0)
        return;
    std::vector<MacroStep> steps = CurrentMacro()->steps;
    const int inserted = InsertStepsAfter(steps, selected, {MacroStep{MacroStepDelay, ms, 0}});
    SetCurrentSteps(steps, inserted);
}

void CMacrosPage::InsertPredefined(CDropdownListItem* list) {
    CString name;
    std::vector<MacroStep> commands;
    if (!m_editor || !CurrentMacro() || !GetDropdownSelection(list, name) ||
        !CPredefinedMacroList::Instance().FindById(name, commands))
        return;
    std::vector<MacroStep> steps = CurrentMacro()->steps;
    const int last = InsertStepsAfter(steps, m_editor->GetSelectedIndex(), commands);
    SetCurrentSteps(steps, last);
}

void CMacrosPage::EditKeyStep() {
    CMacro* macro = CurrentMacro();
    const int index = m_editor ? m_editor->GetSelectedIndex() : -1;
    if (!macro || index < 0 || index >= static_cast<int>(macro->steps.size()) ||
        macro->steps[static_cast<size_t>(index)].type != MacroStepKey)
        return;
    const MacroStep step = macro->steps[static_cast<size_t>(index)];
    KeyEntryResult result = KeyEntryOfStep(step, StepKeyName(step));
    // The keyboard sends its keys on as plain keys while one is captured.
    IGenDevice* device = Device();
    if (device) {
        m_host.WaitWhileWriting();
        device->SetDeviceMode2();
    }
    CTilvorPopupBoxSingleKeyEntry popup(&m_host.Window(), result);
    const INT_PTR answer = popup.DoModal();
    if (device)
        device->SetDeviceMode1();
    macro = CurrentMacro();
    if (answer != IDOK || !macro)
        return;
    std::vector<MacroStep> steps = macro->steps;
    int selected = index;
    if (ApplyKeyEdit(steps, index, result, &selected))
        SetCurrentSteps(steps, selected);
}

// ---------------------------------------------------------------------------
// The delay options and edits

void CMacrosPage::OnIgnoreDelay() {
    if (!m_editor)
        return;
    const bool on = IsChecked(m_ignoreDelay);
    m_editor->SetIgnoreDelays(on);
    if (on) {
        if (m_insertDefault)
            m_insertDefault->SetCheckState(0);
        m_editor->SetInsertDefaultDelay(false);
        EnableItem(m_defaultDelay, false);
    }
}

void CMacrosPage::OnInsertDefaultDelay() {
    if (!m_editor)
        return;
    const bool on = IsChecked(m_insertDefault);
    m_editor->SetInsertDefaultDelay(on);
    if (on) {
        if (m_ignoreDelay)
            m_ignoreDelay->SetCheckState(0);
        m_editor->SetIgnoreDelays(false);
    }
    EnableItem(m_defaultDelay, on && m_state == kIdle);
}

void CMacrosPage::SetEditText(CEditItem* edit, const wchar_t* text) {
    if (!edit || !edit->GetSafeHwnd())
        return;
    m_settingText = true;
    edit->SetWindowText(text);
    m_settingText = false;
}

bool CMacrosPage::ReadDelay(CEditItem* edit, int32_t& ms) {
    if (ParseDelayText(GetItemWindowText(edit), ms))
        return true;
    // The edit that was wrong is put right, and told of once.
    SetEditText(edit, L"50");
    Warn(L"DefaultDelayWarningPopup.xml");
    return false;
}

void CMacrosPage::OnDelayEditChanged(HWND edit) {
    if (m_settingText || m_warningOpen)
        return;
    CEditItem* item = edit == WindowOf(m_delay) ? m_delay : m_defaultDelay;
    int32_t ms = kStartDelayMs;
    const bool valid = ReadDelay(item, ms);
    if (item == m_delay && m_editor)
        m_editor->SetDefaultDelay(valid ? ms : kStartDelayMs);
}

void CMacrosPage::OnDelayEditLeft() {
    if (m_settingText || m_warningOpen || !m_delay)
        return;
    int32_t ms = kStartDelayMs;
    const bool valid = ReadDelay(m_delay, ms);
    if (m_editor)
        m_editor->SetDefaultDelay(valid ? ms : kStartDelayMs);
}

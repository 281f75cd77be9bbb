#pragma once
// The macros page: the macro drop-down with its buttons (new, rename,
// delete, import, export), the macro editor with its recorder buttons
// (record, stop, play, first and last step), the delay options and edits,
// and the two drop-downs of ready-made commands.  The macro chosen in the
// drop-down is the one the editor shows and every button acts on; its steps
// live in the store, which the editor's changes go into at once.

#include "config/CDialogPage.h"

#include <cstdint>
#include <vector>

class CBitmapBtn;
class CDropdownListItem;
class CEditItem;
class CListPanelItem;
class CMacroDisplayItem;
class CTextItem;

class CMacrosPage : public CDialogPage {
public:
    // The page's states: what the user may do now.
    enum State { kNoMacro = 0, kIdle = 1, kPlaying = 2, kRecording = 3 };
    static constexpr UINT kBlinkMs = 500;

    explicit CMacrosPage(IPageHost& host) : CDialogPage(host) {}

    void ShowAll(bool show) override;
    void Bind() override;
    void Refresh() override;
    bool OnCommand(int32_t itemId) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDeviceRemoved() override;

    // The page became the shown one: idle with a macro chosen, else none.
    void OnShown();
    void FillMacroDropdown();
    void FillPredefinedMacroDropdowns();
    void SetMacroPageState(int state);
    int GetState() const noexcept { return m_state; }
    bool IsRecording() const noexcept { return m_state == kRecording; }
    // The macro chosen in the drop-down; null when none is.
    CMacro* CurrentMacro();

    void NewMacro();
    void RenameMacro();
    void DeleteMacro();
    void ImportMacro();
    void ExportMacro();
    void StartRecording();
    void Stop();
    void StopRecording();
    void Play();

private:
    void ChooseMacro(int index);
    // The editor shows the current macro (nothing when there is none).
    void ShowCurrentMacro();
    // The current macro takes these steps, the editor shows them with the
    // step at 'selected' chosen, and the dialog has a change to write.
    void SetCurrentSteps(const std::vector<MacroStep>& steps, int selected);
    void InsertDelay();
    void InsertPredefined(CDropdownListItem* list);
    void EditKeyStep();
    void OnIgnoreDelay();
    void OnInsertDefaultDelay();
    void OnDelayEditChanged(HWND edit);
    void OnDelayEditLeft();
    // The delay in an edit; false (with the warning shown once and "50"
    // back in that edit) when it holds no valid delay.
    bool ReadDelay(CEditItem* edit, int32_t& ms);
    void SetEditText(CEditItem* edit, const wchar_t* text);
    // A warning popup with a suffix, or a message in place of its text;
    // one at a time.
    void Warn(const wchar_t* skinFile, const CString& suffix = CString(), const wchar_t* message = nullptr);
    // The chosen macro file's path; empty when none was chosen.
    CString ChooseMacroFile(bool save);
    void SelectMacroByName(const CString& name);
    void EnableItem(CGUIItem* item, bool enable);
    bool IsChecked(CBitmapBtn* box) const;

    int m_state = kIdle;
    CDropdownListItem* m_macroList = nullptr;
    CDropdownListItem* m_basicCommands = nullptr;
    CDropdownListItem* m_advancedCommands = nullptr;
    CBitmapBtn* m_addBasic = nullptr;
    CBitmapBtn* m_addAdvanced = nullptr;
    CBitmapBtn* m_insertDelay = nullptr;
    CMacroDisplayItem* m_editor = nullptr;
    CMacroDisplayItem* m_preview = nullptr;
    CListPanelItem* m_menus[3] = {};
    CGUIItem* m_create = nullptr;
    CGUIItem* m_import = nullptr;
    CBitmapBtn* m_export = nullptr;
    CBitmapBtn* m_delete = nullptr;
    CBitmapBtn* m_rename = nullptr;
    CBitmapBtn* m_back = nullptr;
    CBitmapBtn* m_record = nullptr;
    CBitmapBtn* m_play = nullptr;
    CBitmapBtn* m_stop = nullptr;
    CBitmapBtn* m_forward = nullptr;
    CBitmapBtn* m_ignoreDelay = nullptr;
    CBitmapBtn* m_insertDefault = nullptr;
    CTextItem* m_ignoreDelayText = nullptr;
    CTextItem* m_insertDefaultText = nullptr;
    CEditItem* m_delay = nullptr;
    CEditItem* m_defaultDelay = nullptr;
    bool m_shown = false;
    bool m_warningOpen = false;
    // Set while the page itself writes into a delay edit.
    bool m_settingText = false;
};

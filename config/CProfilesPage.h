#pragma once
// The profiles page: the store's profiles in a list (active marker, number,
// name, linked program, automatic switching) with a menu on each row, the
// new, import, export and delete buttons and the on-screen display option.
// Every change goes into the store and marks the dialog dirty; Apply writes
// it.  Profile files are read and written by the keyboard, through the
// device object: this page only passes their paths.
//
// A row's key is its profile's index in the store; the list keeps one row
// per profile, so a key outside the profiles is no row at all.

#include "config/CDialogPage.h"
#include "platform/CString.h"

class CBitmapBtn;
class CListPanelItem;
class CXListCtrl;
struct XListNotify;

class CProfilesPage : public CDialogPage {
public:
    explicit CProfilesPage(IPageHost& host) : CDialogPage(host) {}

    void Bind() override;
    void Refresh() override;
    bool OnCommand(int32_t itemId) override;
    // The profile list's reports.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // One row per profile in store order, the active one marked (row 0's
    // when none is active).
    void FillProfileList();
    // The row menu's "$UnassignApplication" is offered only for a profile
    // with a linked program; -1: the selected row.
    void ShowProfileDetails(int32_t rowKey = -1);
    // Selects row 0 and makes its profile the active one.
    void SelectFirstProfile();

    void NewProfile();
    void RenameProfile(int32_t rowKey);
    void RenameInPlace(int32_t rowKey, const CString& name);
    void CopyProfile(int32_t rowKey);
    void DeleteProfile(int32_t rowKey);
    void SetActive(int32_t rowKey);
    void RestoreDefaults(int32_t rowKey);
    void ImportProfile();
    void ExportProfile(int32_t rowKey);
    void LinkProgram(int32_t rowKey, const CString& path);
    void SetAutoSwitch(int32_t rowKey, bool on);
    void SetOsdForAll(bool on);

private:
    void OnCheckChanged(const XListNotify& record);
    void OnMenuCommand(int32_t rowKey, const CString& command);
    // The list's name cell of a row shows the store's name again.
    void RestoreNameCell(int32_t rowKey);
    // Shows a warning popup (with ": " and a name, or a message line); true on its OK.
    bool Warn(const wchar_t* skinFile, const CString& name = CString(), const wchar_t* message = nullptr);
    // Tells why a name is refused; true when it is accepted.
    bool AcceptName(const CString& name);
    // The keyboard's own answers come after a write that runs has ended.
    IGenDevice* IdleDevice();
    // A profile file from the open or save dialog; empty when none was chosen.
    CString ChooseProfileFile(bool save);

    CXListCtrl* m_list = nullptr;
    CListPanelItem* m_options = nullptr;
    CBitmapBtn* m_osdButton = nullptr;
};

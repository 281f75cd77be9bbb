#pragma once
// The key-assignment page: the keyboard picture with one key item per key
// (the layout page), the six assignment buttons, Restore Defaults, the key
// information window and the profile drop-down.  A click on a key selects
// it; a button gives the selected key its new function in the active
// profile of the store; the window shows what the key under the pointer, or
// the selected key, does now.

#include "config/AssignmentActions.h"
#include "config/CDialogPage.h"
#include "gui/widgets/CBitmapWindow.h"

#include <vector>

class CBitmapBtn;
class CBitmapItem;
class CDropdownListItem;
class CKeyboardKeyItem;
class CTextItem;

class CKeysPage : public CDialogPage {
public:
    explicit CKeysPage(IPageHost& host) : CDialogPage(host) {}

    // The keyboard picture with its key items: shown and hidden with the page.
    CGUIItems& LayoutItems() noexcept { return m_layout; }
    CGUIItem* FindByWindow(HWND window) const override;
    void ShowAll(bool show) override;

    void Bind() override;
    void Refresh() override;
    bool OnCommand(int32_t itemId) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The pointer moved over the dialog's frame or background at this screen point.
    void OnNcMouseMove(POINT screenPoint);

    void EnableAssignmentButtons(bool enable);
    void UpdateKeyMarks();
    void RefreshKeyPage();
    void FormatAssignmentText(CKeyboardKeyItem* key);
    // The window shows what the selected (or else the shown) key does now.
    void RefreshInfoWindow();
    void ClearInfoWindow();
    void OnKeyHover(int32_t id);
    void OnKeyClicked(int32_t id);
    // Every key of every profile that plays the deleted macro or switches to
    // the deleted profile gets its default back.
    void ClearAssignmentsTo(const DeletedTarget& target);
    // The profile drop-down, filled from the store with the active profile chosen.
    void FillProfileDropdown();

    bool HasSelectedKey() const noexcept { return m_selectedKey != nullptr; }

private:
    int32_t KeyIdOf(const CKeyboardKeyItem* key) const;
    KeyAssignment DefaultRecordOf(int32_t keyId) const;
    std::vector<CKeyboardKeyItem*> KeyItems() const;
    // Whether the assignment buttons have a key to act on.
    bool HasAssignableKey() const;
    void EndAssignment(bool releaseCapture);
    void StoreForSelectedKey(const KeyAssignment& record, bool checked);
    void OnDropdownChoice(int index, HWND dropdown);

    void AssignDefault();
    void AssignSingleKey();
    void AssignMacro();
    void AssignProfile();
    void AssignProgram();
    void AssignDisabled();
    void ResetProfile();

    CGUIItems m_layout;
    CBitmapItem* m_keyboardPicture = nullptr;
    CBitmapBtn* m_assignButtons[6] = {};
    CTextItem* m_assignTexts[6] = {};
    CBitmapWindow* m_infoWindow = nullptr;
    CDropdownListItem* m_profiles = nullptr;
    // The shown key's cap, drawn in the key window above its text.
    PictureRecord m_keyPicture;
    CBitmap m_keyLook;

    CKeyboardKeyItem* m_hoveredKey = nullptr;
    CKeyboardKeyItem* m_selectedKey = nullptr;
    // The key whose assignment the information window shows; null: none.
    CKeyboardKeyItem* m_shownKey = nullptr;
};

#pragma once
// The popup that assigns a single key: a key capture edit, and three
// modifier check boxes with their labels that show which modifiers were
// held.  A box the user ticks or clears by hand counts as well: OK takes
// the modifiers the boxes show.  OK stays disabled until a key was
// captured.

#include "config/CPopupBoxSingleKeyEntry.h"

class CBitmapBtn;
class CTextItem;

class CPoldPopupBoxSingleKeyEntry : public CPopupBoxSingleKeyEntry {
public:
    static constexpr const wchar_t* kSkinFile = L"SingleKeyPopup.xml";

    CPoldPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult& result);

    void BindItems() override;

    // A captured step of the key edit (WM_GUI_VALUE_PICKED).
    void OnKeyCaptured();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void TakeKeyOnOK() override;
    void ClearOnCancel() override { m_result.Clear(); }

private:
    void ShowModifiers(uint8_t modifiers);
    // A click on a box or on its label: the box's new state is the user's.
    bool OnBoxClicked(int32_t senderId);

    CBitmapBtn* m_ok = nullptr;
    CBitmapBtn* m_boxes[3] = {};  // Shift, Ctrl, Alt
    CTextItem* m_labels[3] = {};
    int m_lastModifiers = -1;
    // Boxes the user ticked by hand: a later capture keeps them ticked.
    uint8_t m_tickedByHand = 0;
};

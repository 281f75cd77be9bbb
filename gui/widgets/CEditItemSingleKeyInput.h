#pragma once
// The single-key edit (skin element EDITCTRLSK): shows the name of the last
// key pressed or released.  The keyboard comes as raw input to the first
// such edit; while no registration stands, key messages serve instead.

#include "gui/widgets/CEditItem.h"
#include "gui/skin/KeyStroke.h"

class CEditItemSingleKeyInput : public CEditItem {
public:
    static CEditItemSingleKeyInput* CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                      CGUIItems& items);

    // Key-downs that change nothing: repeats and the keys that move or
    // edit rather than name a key.
    static bool IsIgnoredKeyMessage(const MSG& msg);

    BOOL PreTranslateMessage(MSG* msg) override;
    // Shows a key as if it had been pressed: its stroke and its name.
    void ShowKey(const KeyStroke& stroke);

    KeyStroke m_keyStroke;

protected:
    void OnRawInput(UINT code, HRAWINPUT input) override;
};

#pragma once
// The key-combination edit (skin element EDITCTRLSKMMO): captures modifiers
// and one key through a small state machine and tells its owner after each
// step that shows text (WM_GUI_VALUE_PICKED, the edit's window in lParam).
// The owner reads the captured key and the modifier mask.

#include "gui/widgets/CEditItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/KeyStroke.h"

#include <cstdint>

class CEditItemSingleKeyInputMMO : public CEditItem {
public:
    enum CaptureState : int { kIdle = 0, kModifiersHeld = 1, kKeyPressed = 2, kDone = 6 };
    enum ModifierBits : uint8_t { kExtendedKey = 1, kAlt = 2, kCtrl = 4, kShift = 8 };

    static CEditItemSingleKeyInputMMO* CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                         CGUIItems& items);

    // The modifier bit of a scan code; 0 for a key that is no modifier.
    static uint8_t ModifierBit(uint16_t scanCode);
    // Raw events that belong to another key's sequence (the fake Shift of
    // extended keys, the prefix of Pause).
    static bool IsSequencePrefix(uint16_t virtualKey, uint16_t scanCode);

    // One step of the capture machine for an event of m_keyStroke's key at
    // 'now' (whole seconds): true when it showed its text and notified.
    bool RunCaptureStep(bool keyUp, uint16_t scanCode, int64_t now);

    BOOL PreTranslateMessage(MSG* msg) override;

    KeyStroke m_keyStroke;
    int m_captureState = kIdle;
    uint16_t m_capturedScanCode = 0;
    uint16_t m_capturedVirtualKey = 0;
    CString m_captureText;
    // The modifiers held right now (and the extended bit of the last key).
    uint8_t m_modifierMask = 0;
    // The modifiers that go with the captured key: those held when it went
    // down, or the modifiers pressed together when no key came.  Owners
    // read this, not m_modifierMask: a fast chord may release its
    // modifiers before its key, and the key's own step comes last.
    uint8_t m_capturedModifiers = 0;

protected:
    void OnRawInput(UINT code, HRAWINPUT input) override;

private:
    enum Action { kA0, kA1, kA2, kA3, kA6 };
    Action ChooseAction(bool keyUp, bool modifier, int64_t now);
    static Action IdleAction(bool keyUp, bool modifier);
    void ShowAndNotify();
};

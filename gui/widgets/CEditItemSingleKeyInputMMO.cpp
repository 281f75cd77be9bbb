#include "gui/widgets/CEditItemSingleKeyInputMMO.h"

#include "gui/widgets/CEditItemSingleKeyInput.h"
#include "gui/core/CRawInputDevices.h"

#include <ctime>

namespace {

// When the capture last went quiet; shared by every capture edit.
bool g_clockSet = false;
int64_t g_lastTime = 0;

}  // namespace

CEditItemSingleKeyInputMMO* CEditItemSingleKeyInputMMO::CreateFromElement(const pugi::xml_node& element,
                                                                          CWnd* parent, CGUIItems& items) {
    return CreateOfClass<CEditItemSingleKeyInputMMO>(element, parent, items, true);
}

uint8_t CEditItemSingleKeyInputMMO::ModifierBit(uint16_t scanCode) {
    switch (scanCode) {
    case 0x1D: return kCtrl;
    case 0x2A: case 0x36: return kShift;
    case 0x38: return kAlt;
    default: return 0;
    }
}

bool CEditItemSingleKeyInputMMO::IsSequencePrefix(uint16_t virtualKey, uint16_t scanCode) {
    return (virtualKey == 0xFF && scanCode == 0x2A) || (virtualKey == VK_PAUSE && scanCode == 0x1D);
}

CEditItemSingleKeyInputMMO::Action CEditItemSingleKeyInputMMO::IdleAction(bool keyUp, bool modifier) {
    if (keyUp)
        return kA0;
    return modifier ? kA1 : kA2;
}

CEditItemSingleKeyInputMMO::Action CEditItemSingleKeyInputMMO::ChooseAction(bool keyUp, bool modifier,
                                                                             int64_t now) {
    switch (m_captureState) {
    case kIdle: return IdleAction(keyUp, modifier);
    case kModifiersHeld: return keyUp ? kA3 : (modifier ? kA1 : kA2);
    case kKeyPressed: return keyUp && !modifier ? kA3 : kA2;
    default: break;
    }
    // Done: a key pressed while modifiers are still held replaces the key.
    if (!keyUp && !modifier && m_modifierMask != 0)
        return kA2;
    if (now <= g_lastTime)
        return kA6;
    m_capturedScanCode = 0;
    m_captureText.Empty();
    return IdleAction(keyUp, modifier);
}

bool CEditItemSingleKeyInputMMO::RunCaptureStep(bool keyUp, uint16_t scanCode, int64_t now) {
    if (!g_clockSet) {
        g_clockSet = true;
        g_lastTime = now;
    }
    const uint8_t bit = ModifierBit(scanCode);
    const bool modifier = bit != 0;
    bool shown = false;
    switch (ChooseAction(keyUp, modifier, now)) {
    case kA0: m_captureState = kIdle; break;
    case kA1:
        m_modifierMask |= bit;
        m_capturedModifiers = m_modifierMask & static_cast<uint8_t>(~kExtendedKey);
        m_captureState = kModifiersHeld;
        shown = true;
        break;
    case kA2:
        m_captureState = kKeyPressed;
        if (modifier) {
            m_modifierMask |= bit;
        } else {
            m_capturedScanCode = scanCode;
            m_captureText = m_keyStroke.name;
            // Each captured key says for itself whether it is extended.
            if (m_keyStroke.flags & KeyStroke::kExtended)
                m_modifierMask |= kExtendedKey;
            else
                m_modifierMask &= static_cast<uint8_t>(~kExtendedKey);
            m_capturedVirtualKey = static_cast<uint16_t>(m_keyStroke.virtualKey);
            m_capturedModifiers = m_modifierMask;
            shown = true;
        }
        break;
    case kA3:
        m_modifierMask |= bit;
        // Only modifiers, released: the combination is the one pressed.
        if (modifier)
            m_capturedModifiers = m_modifierMask & static_cast<uint8_t>(~kExtendedKey);
        m_captureState = kDone;
        shown = true;
        break;
    case kA6:
        g_lastTime = now;
        m_captureState = kDone;
        break;
    }
    if (shown)
        ShowAndNotify();
    if (keyUp && modifier)
        m_modifierMask &= static_cast<uint8_t>(~bit);
    return shown;
}

void CEditItemSingleKeyInputMMO::ShowAndNotify() {
    if (!GetSafeHwnd())
        return;
    ShowTextAtEnd(m_captureText);
    CWnd* owner = GetOwner();
    if (owner)
        owner->SendMessage(WM_GUI_VALUE_PICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CEditItemSingleKeyInputMMO::PreTranslateMessage(MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP))
        return CEdit::PreTranslateMessage(msg);
    if (CEditItemSingleKeyInput::IsIgnoredKeyMessage(*msg))
        return TRUE;
    if (KeyStroke::FromKeyMessage(*msg, ::GetKeyboardLayout(0), m_keyStroke))
        ShowTextAtEnd(m_captureText);
    return FALSE;
}

void CEditItemSingleKeyInputMMO::OnRawInput(UINT, HRAWINPUT input) {
    RAWKEYBOARD keyboard = {};
    if (FetchRawKeyboard(input, keyboard)) {
        KeyStroke::FromRawKeyboard(keyboard, m_keyStroke);
        if (!IsSequencePrefix(keyboard.VKey, keyboard.MakeCode))
            RunCaptureStep((keyboard.Flags & RI_KEY_BREAK) != 0, keyboard.MakeCode,
                           static_cast<int64_t>(std::time(nullptr)));
    }
    Default();
}

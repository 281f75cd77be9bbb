#include "gui/widgets/CEditItemSingleKeyInput.h"

#include "gui/core/CRawInputDevices.h"

CEditItemSingleKeyInput* CEditItemSingleKeyInput::CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                                    CGUIItems& items) {
    return CreateOfClass<CEditItemSingleKeyInput>(element, parent, items, true);
}

bool CEditItemSingleKeyInput::IsIgnoredKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN)
        return false;
    if (msg.lParam & 0x40000000)  // an auto-repeat
        return true;
    switch (msg.wParam) {
    case VK_BACK: case VK_TAB: case VK_PAUSE: case VK_CAPITAL: case VK_SPACE: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_NUMLOCK: case VK_SCROLL:
        return true;
    default: return false;
    }
}

BOOL CEditItemSingleKeyInput::PreTranslateMessage(MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP))
        return CEdit::PreTranslateMessage(msg);
    if (IsIgnoredKeyMessage(*msg))
        return TRUE;
    if (KeyStroke::FromKeyMessage(*msg, ::GetKeyboardLayout(0), m_keyStroke))
        ShowTextAtEnd(m_keyStroke.name);
    return FALSE;
}

void CEditItemSingleKeyInput::ShowKey(const KeyStroke& stroke) {
    m_keyStroke = stroke;
    ShowTextAtEnd(m_keyStroke.name);
}

void CEditItemSingleKeyInput::OnRawInput(UINT, HRAWINPUT input) {
    RAWKEYBOARD keyboard = {};
    if (FetchRawKeyboard(input, keyboard) && KeyStroke::FromRawKeyboard(keyboard, m_keyStroke))
        ShowTextAtEnd(m_keyStroke.name);
    Default();
}

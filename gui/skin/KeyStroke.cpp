#include "gui/skin/KeyStroke.h"

namespace {

constexpr uint32_t kVkSeparator = 108;  // the keypad's Enter
constexpr uint32_t kScanLeftShift = 0x2A;
constexpr uint32_t kScanRightShift = 0x36;
constexpr LPARAM kRepeatBit = 0x40000000;
constexpr LPARAM kContextBit = 0x20000000;
constexpr LPARAM kExtendedBit = 0x01000000;

}  // namespace

uint32_t KeyStroke::ResolveSide(uint32_t virtualKey, uint32_t scanCode, bool extended) {
    switch (virtualKey) {
    case VK_CONTROL: return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU: return extended ? VK_RMENU : VK_LMENU;
    case VK_SHIFT:
        if (scanCode == kScanLeftShift)
            return VK_LSHIFT;
        if (scanCode == kScanRightShift)
            return VK_RSHIFT;
        return virtualKey;
    case VK_RETURN: return extended ? kVkSeparator : virtualKey;
    default: return virtualKey;
    }
}

uint8_t KeyStroke::ShiftStateFlags(SHORT vkScanResult) {
    if (vkScanResult == -1)
        return 0;
    const int state = (vkScanResult >> 8) & 0xFF;
    return static_cast<uint8_t>(((state & 1) ? kShift : 0) | ((state & 2) ? kControl : 0) |
                                ((state & 4) ? kContext : 0));
}

LPARAM KeyStroke::KeyNameParam(uint32_t virtualKey, uint32_t scanCode, bool extended) {
    LPARAM param = static_cast<LPARAM>(scanCode & 0xFF) << 16;
    if (extended || virtualKey == VK_NUMLOCK || virtualKey == 194)
        param |= kExtendedBit;
    return param;
}

bool KeyStroke::GetKeyDisplayName(uint32_t virtualKey, uint32_t scanCode, bool extended, CString& name) {
    wchar_t buffer[40] = {};
    const int length = ::GetKeyNameTextW(static_cast<LONG>(KeyNameParam(virtualKey, scanCode, extended)), buffer, 40);
    if (length <= 0)
        return false;
    name = CString(buffer, length);
    return true;
}

bool KeyStroke::FromKeyMessage(const MSG& msg, HKL layout, KeyStroke& stroke) {
    bool down;
    switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
        if (msg.lParam & kRepeatBit)
            return false;
        down = true;
        break;
    case WM_KEYUP: case WM_SYSKEYUP: down = false; break;
    default: return false;
    }
    const bool extended = (msg.lParam & kExtendedBit) != 0;
    stroke.scanCode = static_cast<uint32_t>((msg.lParam >> 16) & 0xFF);
    stroke.virtualKey = ResolveSide(static_cast<uint32_t>(msg.wParam), stroke.scanCode, extended);
    stroke.direction = down ? kDown : kUp;
    stroke.flags = static_cast<uint8_t>((extended ? kExtended : 0) | ((msg.lParam & kContextBit) ? kContext : 0));
    const UINT character = ::MapVirtualKeyExW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR, layout) & 0xFFFF;
    if (character != 0)
        stroke.flags |= ShiftStateFlags(::VkKeyScanExW(static_cast<wchar_t>(character), layout));
    stroke.name.Empty();
    GetKeyDisplayName(stroke.virtualKey, stroke.scanCode, extended, stroke.name);
    return true;
}

bool KeyStroke::FromRawKeyboard(const RAWKEYBOARD& record, KeyStroke& stroke) {
    const bool extended = (record.Flags & RI_KEY_E0) != 0;
    if (record.MakeCode == 0 || (record.Flags & RI_KEY_E1) || (extended && record.VKey == 255))
        return false;
    stroke.scanCode = record.MakeCode;
    if (record.VKey != 255)
        stroke.virtualKey = ResolveSide(record.VKey, record.MakeCode, extended);
    stroke.direction = (record.Flags & RI_KEY_BREAK) ? kUp : kDown;
    stroke.flags = extended ? kExtended : 0;
    stroke.name.Empty();
    GetKeyDisplayName(stroke.virtualKey, stroke.scanCode, extended, stroke.name);
    return true;
}

#pragma once
// One key stroke as the key widgets see it: scan code, virtual key with the
// left and right keys told apart, direction, flags and the key's display
// name; made from a key message or from raw keyboard input.

#include "platform/CString.h"

#include <windows.h>

#include <cstdint>

struct KeyStroke {
    enum Direction : uint8_t { kUp = 1, kDown = 255 };
    enum Flags : uint8_t { kExtended = 1, kContext = 2, kControl = 4, kShift = 8 };

    uint32_t scanCode = 0;
    uint32_t virtualKey = 0;
    uint8_t direction = kDown;
    uint8_t flags = 0;
    CString name;

    // WM_KEYDOWN / WM_SYSKEYDOWN (down; an auto-repeat is not used) and
    // WM_KEYUP / WM_SYSKEYUP (up); false for every other message.  The
    // layout's shift state of the key's character adds to the flags.
    static bool FromKeyMessage(const MSG& msg, HKL layout, KeyStroke& stroke);
    // Usable only with a scan code, without the E1 flag, and not an E0
    // record with virtual key 255 (a fake shift); a record with virtual key
    // 255 keeps the stroke's earlier virtual key.
    static bool FromRawKeyboard(const RAWKEYBOARD& record, KeyStroke& stroke);

    // VK_CONTROL, VK_MENU and VK_SHIFT as their left or right key, the
    // extended Enter as the keypad's; any other key as it is.
    static uint32_t ResolveSide(uint32_t virtualKey, uint32_t scanCode, bool extended);
    // Flags for a VkKeyScanExW result: shift 8, control 4, alt 2; a result
    // of -1 (no key types that character) adds none.
    static uint8_t ShiftStateFlags(SHORT vkScanResult);
    // GetKeyNameTextW's lParam for a key.
    static LPARAM KeyNameParam(uint32_t virtualKey, uint32_t scanCode, bool extended);
    // The key's name as the system gives it; false when it gives none.
    static bool GetKeyDisplayName(uint32_t virtualKey, uint32_t scanCode, bool extended, CString& name);
};

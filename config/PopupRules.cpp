#include "config/PopupRules.h"

#include "gui/skin/SymbolIds.h"

#include <climits>

bool NextSwallowFlag(bool current, const MSG& msg) {
    if (msg.message == WM_KEYDOWN)
        return msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN;
    if (msg.message == WM_LBUTTONDOWN)
        return false;
    return current;
}

bool SingleKeyOkAllowed(bool swallow, const CString& text, uint8_t modifiers) {
    return !swallow && (!text.IsEmpty() || modifiers != 0);
}

int ParseLeadingNumber(const wchar_t* text) {
    long long value = 0;
    for (const wchar_t* p = text; p && *p >= L'0' && *p <= L'9'; ++p) {
        value = value * 10 + (*p - L'0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

int DecimalDigits(uint32_t max) {
    int digits = 1;
    while (max >= 10) {
        max /= 10;
        ++digits;
    }
    return digits;
}

int NormalisePlayMode(int mode) { return mode >= 1 && mode <= 4 ? mode : 1; }

int32_t PlayModeButton(int mode) {
    switch (mode) {
    case 1: return BUTTON_MACRO_PLAY_ONCE;
    case 2: return BUTTON_MACRO_PLAY_MULTIPLE;
    case 3: return BUTTON_MACRO_PLAY_UNTILPRESSED;
    case 4: return BUTTON_MACRO_PLAY_WHILEPRESSED;
    default: return -1;
    }
}

int PlayModeOfButton(int32_t buttonId) {
    for (int mode = 1; mode <= 4; ++mode)
        if (PlayModeButton(mode) == buttonId)
            return mode;
    return 0;
}

int PreselectIndex(const std::vector<CString>& entries, const CString& current) {
    int found = -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == current)
            found = static_cast<int>(i);
    if (found < 0 && !entries.empty())
        found = 0;
    return found;
}

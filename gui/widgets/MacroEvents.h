#pragma once
// How the macro editor reads raw mouse input and shows macro steps, apart
// from any window: the raw button flags as button events, each step's
// description and row picture, and the text of a delay.

#include "model/store/MacroStep.h"
#include "platform/CString.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

struct MouseButtonEvent {
    int32_t button;  // its number in the mouse-button name table
    bool down;
};

// The event of one raw button flag (RI_MOUSE_...: buttons 1 to 5, down and
// up); false for any other flag.
bool MouseButtonEventOf(USHORT flag, MouseButtonEvent& event);
// Every button event a raw mouse record carries, in the order of the
// table: one record may tell of several buttons.  Wheel flags carry none.
std::vector<MouseButtonEvent> MouseButtonEvents(USHORT buttonFlags);

// The rows' pictures, by the kind of step they show; a selected delay or
// mouse row shows the highlighted picture of the next kind.
enum MacroRowKind : int {
    kRowKeyDown = 0,
    kRowKeyUp = 1,
    kRowDelay = 2,
    kRowDelaySelected = 3,
    kRowMouse = 4,
    kRowMouseSelected = 5,
};
constexpr int kMacroRowKinds = 6;
// -1 for a step of no known type.
int MacroRowKindOf(const MacroStep& step);
int MacroRowPicture(int rowKind, bool selected);

// A key's name from its virtual key, scan code and extended flag.
using MacroKeyNamer = std::function<CString(uint16_t virtualKey, uint16_t scanCode, bool extended)>;
// A language key's text (the key itself when the language lacks it).
using MacroTranslator = std::function<CString(const wchar_t* key)>;

// The language key that names a mouse button; a number outside the table
// has a name of its own.
const wchar_t* MouseButtonKey(int32_t button);
// A delay as the editor shows it: seconds with three decimals, then the
// language's word for them.
CString DelayText(int32_t ms, const MacroTranslator& translate);
// What a row says of its step: a key's name, a mouse button's translated
// name with its direction, or the delay.
CString DescribeMacroStep(const MacroStep& step, const MacroKeyNamer& keyName, const MacroTranslator& translate);

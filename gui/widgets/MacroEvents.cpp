#include "gui/widgets/MacroEvents.h"

namespace {

struct FlagEvent {
    USHORT flag;
    MouseButtonEvent event;
};

// Filled once for the whole program; the button numbers are those of the
// mouse-button name table.
const FlagEvent kFlagEvents[] = {
    {RI_MOUSE_BUTTON_1_DOWN, {1, true}}, {RI_MOUSE_BUTTON_1_UP, {1, false}},
    {RI_MOUSE_BUTTON_2_DOWN, {2, true}}, {RI_MOUSE_BUTTON_2_UP, {2, false}},
    {RI_MOUSE_BUTTON_3_DOWN, {3, true}}, {RI_MOUSE_BUTTON_3_UP, {3, false}},
    {RI_MOUSE_BUTTON_4_DOWN, {4, true}}, {RI_MOUSE_BUTTON_4_UP, {4, false}},
    {RI_MOUSE_BUTTON_5_DOWN, {5, true}}, {RI_MOUSE_BUTTON_5_UP, {5, false}},
};

const wchar_t kUnknownButton[] = L"$MouseButton";

}  // namespace

bool MouseButtonEventOf(USHORT flag, MouseButtonEvent& event) {
    for (const FlagEvent& entry : kFlagEvents)
        if (entry.flag == flag) {
            event = entry.event;
            return true;
        }
    return false;
}

std::vector<MouseButtonEvent> MouseButtonEvents(USHORT buttonFlags) {
    std::vector<MouseButtonEvent> events;
    for (const FlagEvent& entry : kFlagEvents)
        if (buttonFlags & entry.flag)
            events.push_back(entry.event);
    return events;
}

int MacroRowKindOf(const MacroStep& step) {
    switch (step.type) {
    case MacroStepKey: return IsPressStep(step) ? kRowKeyDown : kRowKeyUp;
    case MacroStepDelay: return kRowDelay;
    case MacroStepMouseButton: return kRowMouse;
    default: return -1;
    }
}

int MacroRowPicture(int rowKind, bool selected) {
    return selected && (rowKind == kRowDelay || rowKind == kRowMouse) ? rowKind + 1 : rowKind;
}

const wchar_t* MouseButtonKey(int32_t button) {
    // Entry 0 names no button either.
    const wchar_t* name = button > 0 ? MouseButtonName(button) : nullptr;
    return name ? name : kUnknownButton;
}

CString DelayText(int32_t ms, const MacroTranslator& translate) {
    CString text;
    text.Format(L"%.3f %s", ms / 1000.0, translate(L"$secondsdelay").GetString());
    return text;
}

CString DescribeMacroStep(const MacroStep& step, const MacroKeyNamer& keyName, const MacroTranslator& translate) {
    switch (step.type) {
    case MacroStepKey:
        return keyName(static_cast<uint16_t>(static_cast<uint32_t>(step.value) >> 16),
                       static_cast<uint16_t>(step.value & 0xFFFF), (step.flags & kStepExtended) != 0);
    case MacroStepMouseButton: {
        const wchar_t* name = MouseButtonKey(step.value);
        CString key;
        key.Format(L"%s%s", name, (step.flags & 0xFF) == kStepRelease ? L"Up" : L"Down");
        CString text = translate(key);
        if (name == kUnknownButton) {
            CString number;
            number.Format(L" %d", step.value);
            text += number;
        }
        return text;
    }
    case MacroStepDelay: return DelayText(step.value, translate);
    default: return CString();
    }
}

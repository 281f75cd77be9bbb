#include "model/store/KeyAssignment.h"

#include <cstring>

namespace {

// Payload offsets, counted from the start of the payload (record byte 4).
constexpr size_t kCodeAt = 0;
constexpr size_t kSecondAt = 2;
constexpr size_t kFlagAt = 4;

KeyAssignment Blank(int32_t type) {
    KeyAssignment a;
    std::memset(&a, 0, sizeof a);
    a.type = type;
    return a;
}

// Only play mode 2 carries a count, and only in its low byte.
void SetPlay(KeyAssignment& a, int32_t playMode, int32_t repeatCount) {
    a.playMode = playMode;
    a.repeatCount = playMode == kPlayModeRepeat ? (repeatCount & 0xFF) : 0;
}

}  // namespace

KeyAssignment KeyAssignment::None() { return Blank(AssignmentNone); }

KeyAssignment KeyAssignment::DefaultKey(uint32_t keyTableValue) {
    KeyAssignment a = Blank(AssignmentDefaultKey);
    uint16_t code = static_cast<uint16_t>(keyTableValue & 0xFFFF);
    std::memcpy(a.payload + kCodeAt, &code, sizeof code);
    a.payload[kFlagAt] = static_cast<uint8_t>((keyTableValue >> 16) & 0xFF);
    return a;
}

KeyAssignment KeyAssignment::SingleKey(uint16_t code, uint16_t second, uint8_t modifiers) {
    KeyAssignment a = Blank(AssignmentSingleKey);
    std::memcpy(a.payload + kCodeAt, &code, sizeof code);
    std::memcpy(a.payload + kSecondAt, &second, sizeof second);
    a.payload[kFlagAt] = modifiers;
    return a;
}

KeyAssignment KeyAssignment::Disabled() { return Blank(AssignmentDisabled); }

KeyAssignment KeyAssignment::ByGuid(AssignmentType type, const GUID& guid, int32_t playMode, int32_t repeatCount) {
    KeyAssignment a = Blank(type);
    std::memcpy(a.payload, &guid, sizeof guid);
    SetPlay(a, playMode, repeatCount);
    return a;
}

KeyAssignment KeyAssignment::ByName(AssignmentType type, const wchar_t* name, int32_t playMode, int32_t repeatCount) {
    KeyAssignment a = Blank(type);
    if (name) {
        size_t length = wcsnlen(name, kNameUnits - 1);
        std::memcpy(a.payload, name, length * sizeof(wchar_t));
    }
    SetPlay(a, playMode, repeatCount);
    return a;
}

uint16_t KeyAssignment::GetKeyCode() const noexcept {
    uint16_t v;
    std::memcpy(&v, payload + kCodeAt, sizeof v);
    return v;
}

uint16_t KeyAssignment::GetSecondValue() const noexcept {
    uint16_t v;
    std::memcpy(&v, payload + kSecondAt, sizeof v);
    return v;
}

uint8_t KeyAssignment::GetFlagByte() const noexcept { return payload[kFlagAt]; }

GUID KeyAssignment::GetGuid() const noexcept {
    GUID g;
    std::memcpy(&g, payload, sizeof g);
    return g;
}

CString KeyAssignment::GetName() const {
    wchar_t units[kNameUnits];
    std::memcpy(units, payload, sizeof units);
    return CString(units, static_cast<int>(wcsnlen(units, kNameUnits)));
}

bool SameAssignment(const KeyAssignment& a, const KeyAssignment& b) noexcept {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

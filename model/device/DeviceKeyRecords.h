#pragma once
// Key assignments as the keyboard stores them: one 32-byte DeviceKeyRecord
// per device key.  Each assignment kind has a record template (action type
// and sub-action); filling and reading a record are pure conversions.

#include "model/store/KeyAssignment.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>

struct KeyRecordTemplate {
    int32_t kind;
    uint32_t actionType;
    uint32_t at12;  // sub-action
    uint32_t at16;
};

// Device action types.
enum DeviceActionType : uint32_t {
    DeviceActionButton = 1,
    DeviceActionGuid = 2,
    DeviceActionProfile = 3,
    DeviceActionValue = 4,
    DeviceActionKey = 5,
    DeviceActionNone = 6,
    DeviceActionMacro = 8,
    DeviceActionApplication = 9,
};

// Flags word at +14 of a type-5 record: modifier bits 0-3 in bits 24-27;
// bit 24 also marks Pause.
constexpr uint32_t kKeyRecordModifierShift = 24;
constexpr uint32_t kKeyRecordPauseBit = 1u << 24;
constexpr uint16_t kVirtualKeyPause = 19;
constexpr uint16_t kVirtualKeyNumLock = 144;
constexpr uint16_t kScanCodePauseNumLock = 69;

// The template of a kind; null for a kind without one.
const KeyRecordTemplate* FindKeyRecordTemplate(int32_t kind) noexcept;

// Play mode 1..4 <-> the keyboard's play code (3 and 4 swap); 0 otherwise.
uint8_t PlayModeToCode(int32_t playMode) noexcept;
int32_t PlayCodeToMode(uint8_t playCode) noexcept;

// 2 for a device key id whose high 16 bits are 4, 1 for 2, else 0.
uint32_t DeviceKeyClass(uint32_t deviceKeyId) noexcept;
// The code the key definitions find a key by: low 16 bits | class << 16.
uint32_t DeviceKeyCode(uint32_t deviceKeyId) noexcept;

// The record of an assignment for a key.  A kind without a template gives a
// record of zeros with only the key id set.
DeviceKeyRecord FillKeyRecord(const KeyAssignment& assignment, uint32_t deviceKeyId) noexcept;
// Kind and payload of a record; kind -1 when no template matches.
KeyAssignment ReadKeyRecord(const DeviceKeyRecord& record) noexcept;

// A key's default (kind 0 with the key table's code and flag byte) goes out
// as the single key it is (kind 5); other assignments are unchanged.
KeyAssignment ToDeviceAssignment(const KeyAssignment& assignment, uint32_t keyTableValue) noexcept;
// A single key that equals the key table's code and flag byte reads as the
// key's default (kind 0); for scan code 69 (Pause or Num Lock) the single
// key must equal what the key's default reads back as.  Other assignments
// are unchanged.
KeyAssignment FromDeviceAssignment(const KeyAssignment& assignment, uint32_t keyTableValue) noexcept;

// Whether an assignment (after ToDeviceAssignment) can go to the keyboard:
// its kind has a template and is not a name or path reference, whose payload
// is no GUID.
bool IsSendableAssignment(const KeyAssignment& assignment) noexcept;

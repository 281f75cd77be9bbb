#include "model/device/DeviceKeyRecords.h"

#include <cstring>
#include <iterator>

namespace {

// In ascending kind order: reading takes the first match.
constexpr KeyRecordTemplate kTemplates[] = {
    {1, 1, 1, 0},   {2, 1, 2, 0},   {3, 1, 3, 0},   {4, 1, 11, 0},  {5, 5, 0, 0},   {6, 8, 0, 0},
    {7, 8, 0, 0},   {8, 1, 0, 0},   {9, 6, 0, 0},   {10, 1, 8, 0},  {13, 1, 9, 0},  {14, 1, 10, 0},
    {16, 4, 3, 0},  {17, 4, 3, 1},  {18, 4, 3, 2},  {19, 4, 3, 3},  {20, 4, 3, 4},  {21, 4, 4, 0},
    {22, 3, 3, 0},  {23, 3, 3, 0},  {24, 3, 2, 0},  {25, 3, 1, 0},  {26, 3, 3, 0},  {27, 3, 3, 0},
    {28, 3, 3, 0},  {29, 3, 3, 0},  {30, 3, 3, 0},  {33, 1, 5, 0},  {34, 1, 4, 0},  {41, 1, 6, 0},
    {42, 1, 7, 0},  {63, 9, 0, 0},
};

// Record offsets of the data bytes, counted from the record's start.
constexpr size_t kDataAt = 12;

void PutU32(DeviceKeyRecord& r, size_t at, uint32_t v) { std::memcpy(r.data + (at - kDataAt), &v, sizeof v); }
void PutU16(DeviceKeyRecord& r, size_t at, uint16_t v) { std::memcpy(r.data + (at - kDataAt), &v, sizeof v); }
uint32_t GetU32(const DeviceKeyRecord& r, size_t at) {
    uint32_t v;
    std::memcpy(&v, r.data + (at - kDataAt), sizeof v);
    return v;
}
uint16_t GetU16(const DeviceKeyRecord& r, size_t at) {
    uint16_t v;
    std::memcpy(&v, r.data + (at - kDataAt), sizeof v);
    return v;
}

uint32_t PayloadWord(const KeyAssignment& a, int n) {
    uint32_t v;
    std::memcpy(&v, a.payload + 4 * n, sizeof v);
    return v;
}

bool SameKey(const KeyAssignment& a, uint32_t keyTableValue) {
    return a.GetKeyCode() == (keyTableValue & 0xFFFF) && a.GetFlagByte() == ((keyTableValue >> 16) & 0xFF);
}

}  // namespace

static_assert(sizeof(GUID) == 16, "a GUID fills four record words");

const KeyRecordTemplate* FindKeyRecordTemplate(int32_t kind) noexcept {
    for (const KeyRecordTemplate& t : kTemplates)
        if (t.kind == kind)
            return &t;
    return nullptr;
}

uint8_t PlayModeToCode(int32_t playMode) noexcept {
    switch (playMode) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
    }
}

int32_t PlayCodeToMode(uint8_t playCode) noexcept {
    switch (playCode) {
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    case 3: return 4;
    default: return 0;
    }
}

uint32_t DeviceKeyClass(uint32_t deviceKeyId) noexcept {
    switch (deviceKeyId >> 16) {
    case 4: return 2;
    case 2: return 1;
    default: return 0;
    }
}

uint32_t DeviceKeyCode(uint32_t deviceKeyId) noexcept {
    return (deviceKeyId & 0xFFFF) | DeviceKeyClass(deviceKeyId) << 16;
}

DeviceKeyRecord FillKeyRecord(const KeyAssignment& a, uint32_t deviceKeyId) noexcept {
    DeviceKeyRecord r;
    std::memset(&r, 0, sizeof r);
    r.keyId = deviceKeyId;
    const KeyRecordTemplate* t = FindKeyRecordTemplate(a.type);
    if (!t)
        return r;
    r.header = 1;
    r.actionType = t->actionType;
    PutU32(r, 12, t->at12);
    PutU32(r, 16, t->at16);
    switch (t->actionType) {
    case DeviceActionGuid:
    case DeviceActionApplication:
        std::memcpy(r.data, a.payload, 16);
        break;
    case DeviceActionProfile:
        if (t->at12 == 3)
            std::memcpy(r.data + 4, a.payload, 16);
        break;
    case DeviceActionValue:
        if (t->at12 == 3) {
            PutU32(r, 16, PayloadWord(a, 0));
        } else if (t->at12 == 4) {
            PutU16(r, 24, static_cast<uint16_t>(PayloadWord(a, 1)));
            PutU16(r, 26, static_cast<uint16_t>(PayloadWord(a, 2)));
        }
        break;
    case DeviceActionKey: {
        uint32_t p0 = PayloadWord(a, 0);
        std::memset(r.data, 0, sizeof r.data);
        PutU16(r, 12, static_cast<uint16_t>(p0 & 0xFFFF));
        uint32_t flags = static_cast<uint32_t>(a.GetFlagByte() & 0x0F) << kKeyRecordModifierShift;
        if ((p0 >> 16) == kVirtualKeyPause)
            flags |= kKeyRecordPauseBit;
        PutU32(r, 14, flags);
        break;
    }
    case DeviceActionMacro:
        std::memcpy(r.data, a.payload, 16);
        r.data[16] = PlayModeToCode(a.playMode);
        r.data[17] = static_cast<uint8_t>(a.repeatCount & 0xFF);
        break;
    default:  // types 1 and 6: the template as it is
        break;
    }
    return r;
}

KeyAssignment ReadKeyRecord(const DeviceKeyRecord& r) noexcept {
    KeyAssignment a = KeyAssignment::None();
    const uint32_t at12 = GetU32(r, 12);
    for (const KeyRecordTemplate& t : kTemplates) {
        if (t.actionType != r.actionType)
            continue;
        bool bySubAction = t.actionType == DeviceActionButton || t.actionType == DeviceActionProfile ||
                           t.actionType == DeviceActionValue;
        if (!bySubAction || t.at12 == at12) {
            a.type = t.kind;
            break;
        }
    }
    switch (r.actionType) {
    case DeviceActionGuid:
    case DeviceActionApplication:
        std::memcpy(a.payload, r.data, 16);
        break;
    case DeviceActionProfile:
        std::memcpy(a.payload, r.data + 4, 16);
        break;
    case DeviceActionKey: {
        uint16_t scan = GetU16(r, 12);
        uint32_t flags = GetU32(r, 14);
        std::memcpy(a.payload, &scan, sizeof scan);
        uint8_t modifiers = static_cast<uint8_t>((flags >> kKeyRecordModifierShift) & 0x0F);
        if (scan == kScanCodePauseNumLock) {
            modifiers &= static_cast<uint8_t>(~1u);
            uint16_t vk = (flags & kKeyRecordPauseBit) ? kVirtualKeyPause : kVirtualKeyNumLock;
            std::memcpy(a.payload + 2, &vk, sizeof vk);
        }
        a.payload[4] = modifiers;
        break;
    }
    case DeviceActionMacro:
        std::memcpy(a.payload, r.data, 16);
        a.playMode = PlayCodeToMode(r.data[16]);
        a.repeatCount = r.data[17];
        break;
    default:
        break;
    }
    return a;
}

KeyAssignment ToDeviceAssignment(const KeyAssignment& assignment, uint32_t keyTableValue) noexcept {
    KeyAssignment a = assignment;
    if (a.type == AssignmentDefaultKey && SameKey(a, keyTableValue))
        a.type = AssignmentSingleKey;
    return a;
}

KeyAssignment FromDeviceAssignment(const KeyAssignment& assignment, uint32_t keyTableValue) noexcept {
    if (assignment.type != AssignmentSingleKey)
        return assignment;
    if (assignment.GetKeyCode() != kScanCodePauseNumLock) {
        if (SameKey(assignment, keyTableValue))
            return KeyAssignment::DefaultKey(keyTableValue);
        return assignment;
    }
    // Scan code 69 is Pause or Num Lock by the bit that is also the extended
    // flag, and the read names the key by it: so compare with what this
    // key's own default reads back as, or Pause's default would come back as
    // a single key and Pause given to Num Lock as Num Lock's default.
    KeyAssignment byDefault = KeyAssignment::DefaultKey(keyTableValue);
    KeyAssignment sent = ToDeviceAssignment(byDefault, keyTableValue);
    if (sent.type != AssignmentSingleKey)
        return assignment;
    KeyAssignment back = ReadKeyRecord(FillKeyRecord(sent, 0));
    if (back.GetKeyCode() == assignment.GetKeyCode() && back.GetSecondValue() == assignment.GetSecondValue() &&
        back.GetFlagByte() == assignment.GetFlagByte())
        return byDefault;
    return assignment;
}

bool IsSendableAssignment(const KeyAssignment& assignment) noexcept {
    switch (assignment.type) {
    case AssignmentMacroByName:
    case AssignmentProfileSwitchByName:
    case AssignmentLaunchProgramByPath:
        return false;
    default:
        return FindKeyRecordTemplate(assignment.type) != nullptr;
    }
}

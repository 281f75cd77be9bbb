// The pure conversions between the program's records and the keyboard's:
// key records and their templates, the macro-steps block, LED ids and
// effects, option records and the linked-program buffer; and the bounds of
// a device-list walk.

#include "model/device/CNullKeyboard.h"
#include "model/device/DeviceCalls.h"
#include "model/device/DeviceKeyRecords.h"
#include "model/device/LightingTransfer.h"
#include "model/device/MacroStepsBlockConversion.h"
#include "model/device/ProfileTransfer.h"
#include "platform/Guid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const GUID kGuid = {0x11223344, 0x5566, 0x7788, {0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x01}};

uint32_t Word(const DeviceKeyRecord& r, size_t at) {
    uint32_t v;
    std::memcpy(&v, reinterpret_cast<const BYTE*>(&r) + at, sizeof v);
    return v;
}

GUID GuidAt(const DeviceKeyRecord& r, size_t at) {
    GUID g;
    std::memcpy(&g, reinterpret_cast<const BYTE*>(&r) + at, sizeof g);
    return g;
}

DeviceKeyRecord Record(uint32_t type, uint32_t at12, uint32_t at14 = 0) {
    DeviceKeyRecord r;
    std::memset(&r, 0, sizeof r);
    r.header = 1;
    r.keyId = 0x1E;
    r.actionType = type;
    std::memcpy(r.data, &at12, sizeof at12);
    if (at14)
        std::memcpy(r.data + 2, &at14, sizeof at14);
    return r;
}

TEST(KeyRecords, AssignmentsFillTheirTemplates) {
    struct Case {
        const char* what;
        KeyAssignment assignment;
        uint32_t type, at12, at14;
        uint8_t play, repeat;
    };
    const Case cases[] = {
        {"single key with modifiers 0x3", KeyAssignment::SingleKey(0x1E, 0x41, 0x03), 5, 0x1E, 0x03000000, 0, 0},
        {"Pause sets bit 24", KeyAssignment::SingleKey(0x45, 19, 0), 5, 0x45, 0x01000000, 0, 0},
        {"only modifier bits 0-3 travel", KeyAssignment::SingleKey(0x10, 0, 0xF4), 5, 0x10, 0x04000000, 0, 0},
        {"disabled", KeyAssignment::Disabled(), 1, 0, 0, 0, 0},
        {"macro, play mode 1", KeyAssignment::ByGuid(AssignmentMacro, kGuid, 1), 8, 0, 0, 1, 0},
        {"macro, repeat 7 times", KeyAssignment::ByGuid(AssignmentMacro, kGuid, 2, 7), 8, 0, 0, 2, 7},
        {"macro, play mode 3 goes as 4", KeyAssignment::ByGuid(AssignmentMacro, kGuid, 3), 8, 0, 0, 4, 0},
        {"macro, play mode 4 goes as 3", KeyAssignment::ByGuid(AssignmentMacro, kGuid, 4), 8, 0, 0, 3, 0},
        {"profile switch", KeyAssignment::ByGuid(AssignmentProfileSwitch, kGuid), 3, 3, 0, 0, 0},
        {"launch program", KeyAssignment::ByGuid(AssignmentLaunchProgram, kGuid), 9, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceKeyRecord r = FillKeyRecord(c.assignment, 0x20045);
        EXPECT_EQ(r.header, 1u);
        EXPECT_EQ(r.keyId, 0x20045u);
        EXPECT_EQ(r.actionType, c.type);
        if (c.type == 5) {
            EXPECT_EQ(Word(r, 12) & 0xFFFF, c.at12);
            EXPECT_EQ(Word(r, 14), c.at14);
            EXPECT_EQ(Word(r, 18), 0u);
        } else if (c.type == 1 || c.type == 3) {
            EXPECT_EQ(Word(r, 12), c.at12);
        }
        if (c.type == 8) {
            EXPECT_EQ(GuidAt(r, 12), kGuid);
            EXPECT_EQ(reinterpret_cast<const BYTE*>(&r)[28], c.play);
            EXPECT_EQ(reinterpret_cast<const BYTE*>(&r)[29], c.repeat);
        }
        if (c.type == 3) {
            EXPECT_EQ(GuidAt(r, 16), kGuid);
        }
        if (c.type == 9) {
            EXPECT_EQ(GuidAt(r, 12), kGuid);
        }
    }
}

TEST(KeyRecords, KindsWithoutTemplateGiveZerosWithTheKeyId) {
    for (const KeyAssignment& a : {KeyAssignment::None(), KeyAssignment::ByName(AssignmentLaunchProgramByPath, L"C:\\a.exe"),
                                   KeyAssignment::DefaultKey(0x1E)}) {
        DeviceKeyRecord r = FillKeyRecord(a, 0x1E);
        DeviceKeyRecord zeros;
        std::memset(&zeros, 0, sizeof zeros);
        zeros.keyId = 0x1E;
        EXPECT_EQ(std::memcmp(&r, &zeros, sizeof r), 0) << "kind " << a.type;
    }
}

TEST(KeyRecords, RecordsReadAsTheFirstMatchingKind) {
    struct Case {
        const char* what;
        DeviceKeyRecord record;
        int32_t kind;
    };
    const Case cases[] = {
        {"button, sub-action 0", Record(1, 0), AssignmentDisabled},
        {"button, sub-action 11", Record(1, 11), 4},
        {"profile, sub-action 3", Record(3, 3), AssignmentProfileSwitch},
        {"profile, sub-action 1", Record(3, 1), 25},
        {"value, sub-action 3", Record(4, 3), 16},
        {"value, sub-action 4", Record(4, 4), 21},
        {"key", Record(5, 0x1E), AssignmentSingleKey},
        {"none", Record(6, 0), 9},
        {"macro", Record(8, 0), AssignmentMacro},
        {"application", Record(9, 0), AssignmentLaunchProgram},
        {"GUID (no template)", Record(2, 0), AssignmentNone},
        {"unknown type", Record(7, 0), AssignmentNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadKeyRecord(c.record).type, c.kind) << c.what;
}

TEST(KeyRecords, FilledRecordsReadBackToTheirAssignment) {
    const KeyAssignment sent[] = {
        KeyAssignment::SingleKey(0x1E, 0, 0x05),
        KeyAssignment::ByGuid(AssignmentMacro, kGuid, 2, 9),
        KeyAssignment::ByGuid(AssignmentMacro, kGuid, 3),
        KeyAssignment::ByGuid(AssignmentMacro, kGuid, 4),
        KeyAssignment::ByGuid(AssignmentProfileSwitch, kGuid),
        KeyAssignment::ByGuid(AssignmentLaunchProgram, kGuid),
        KeyAssignment::Disabled(),
    };
    for (const KeyAssignment& a : sent) {
        KeyAssignment back = ReadKeyRecord(FillKeyRecord(a, 0x30));
        EXPECT_EQ(std::memcmp(&back, &a, sizeof a), 0) << "kind " << a.type << " play " << a.playMode;
    }
}

TEST(KeyRecords, ScanCode69ReadsAsPauseOrNumLock) {
    KeyAssignment pause = ReadKeyRecord(Record(5, 69, 0x01000000));
    EXPECT_EQ(pause.GetKeyCode(), 69);
    EXPECT_EQ(pause.GetSecondValue(), 19);
    EXPECT_EQ(pause.GetFlagByte(), 0) << "modifier bit 0 is the Pause mark, not a modifier";
    KeyAssignment numLock = ReadKeyRecord(Record(5, 69, 0x02000000));
    EXPECT_EQ(numLock.GetSecondValue(), 144);
    EXPECT_EQ(numLock.GetFlagByte(), 2);
    EXPECT_EQ(ReadKeyRecord(Record(5, 0x1E)).GetSecondValue(), 0);
}

TEST(KeyRecords, DefaultKeysTravelAsSingleKeysAndComeBackAsDefaults) {
    const uint32_t rightCtrl = 0x1D | 1u << 16;  // extended
    KeyAssignment def = KeyAssignment::DefaultKey(rightCtrl);
    KeyAssignment sent = ToDeviceAssignment(def, rightCtrl);
    EXPECT_EQ(sent.type, AssignmentSingleKey);
    DeviceKeyRecord r = FillKeyRecord(sent, 0x2001D);
    EXPECT_EQ(Word(r, 14), 0x01000000u);
    KeyAssignment back = FromDeviceAssignment(ReadKeyRecord(r), rightCtrl);
    EXPECT_EQ(std::memcmp(&back, &def, sizeof def), 0);

    // A default that is not this key's stays kind 0 and has no record.
    EXPECT_EQ(ToDeviceAssignment(KeyAssignment::DefaultKey(0x1E), rightCtrl).type, AssignmentDefaultKey);
    // A single key other than the key's own stays a single key.
    EXPECT_EQ(FromDeviceAssignment(KeyAssignment::SingleKey(0x1E, 0, 0), rightCtrl).type, AssignmentSingleKey);
}

TEST(KeyRecords, PauseAndNumLockDefaultsComeBackAsDefaults) {
    // Both keys send scan code 69; Pause's extended flag lands in the bit
    // that the read takes as the Pause mark.
    const uint32_t pause = 0x45 | 1u << 16;
    const uint32_t numLock = 0x45;
    for (uint32_t key : {pause, numLock}) {
        KeyAssignment def = KeyAssignment::DefaultKey(key);
        KeyAssignment back = FromDeviceAssignment(ReadKeyRecord(FillKeyRecord(ToDeviceAssignment(def, key), 7)), key);
        EXPECT_EQ(back.type, AssignmentDefaultKey) << std::hex << key;
        EXPECT_EQ(std::memcmp(&back, &def, sizeof def), 0) << std::hex << key;
    }
    // Num Lock given to the Pause key is still a single key there, and Pause
    // given to the Num Lock key too.
    KeyAssignment numLockOnPause = ReadKeyRecord(FillKeyRecord(KeyAssignment::SingleKey(0x45, 144, 0), 7));
    EXPECT_EQ(FromDeviceAssignment(numLockOnPause, pause).type, AssignmentSingleKey);
    KeyAssignment pauseOnNumLock = ReadKeyRecord(FillKeyRecord(KeyAssignment::SingleKey(0x45, 19, 0), 7));
    EXPECT_EQ(FromDeviceAssignment(pauseOnNumLock, numLock).type, AssignmentSingleKey);
}

TEST(KeyRecords, NameAndPathReferencesAreNeverSendable) {
    struct Case {
        KeyAssignment a;
        bool sendable;
    };
    const Case cases[] = {
        {KeyAssignment::ByName(AssignmentMacroByName, L"Hop"), false},
        {KeyAssignment::ByName(AssignmentProfileSwitchByName, L"Game"), false},
        {KeyAssignment::ByName(AssignmentLaunchProgramByPath, L"C:\\a.exe"), false},
        {KeyAssignment::None(), false},
        {KeyAssignment::DefaultKey(0x1E), false},
        {KeyAssignment::SingleKey(0x1E, 0, 0), true},
        {KeyAssignment::ByGuid(AssignmentMacro, kGuid, 1), true},
        {KeyAssignment::Disabled(), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSendableAssignment(c.a), c.sendable) << "kind " << c.a.type;
}

TEST(KeyRecords, DeviceKeyIdsGiveClassAndCode) {
    struct Case {
        uint32_t id, cls, code;
    };
    const Case cases[] = {{0x0001E, 0, 0x1E}, {0x2001D, 1, 0x1001D}, {0x40010, 2, 0x20010}, {0x30010, 0, 0x10}};
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceKeyClass(c.id), c.cls) << std::hex << c.id;
        EXPECT_EQ(DeviceKeyCode(c.id), c.code) << std::hex << c.id;
    }
}

std::vector<MacroStepsBlockStep> BlockSteps(const std::vector<BYTE>& block) {
    std::vector<MacroStepsBlockStep> steps((block.size() - 16) / 8);
    if (!steps.empty())
        std::memcpy(steps.data(), block.data() + 8, steps.size() * 8);
    return steps;
}

TEST(MacroBlock, StepsBecomeBlockSteps) {
    struct Case {
        const char* what;
        MacroStep step;
        uint32_t kind, value;
    };
    const Case cases[] = {
        {"key press", {MacroStepKey, 0x41001E, kStepPress}, 2, 0x1E},
        {"key release", {MacroStepKey, 0x41001E, kStepRelease}, 2, 0x1E | 1u << 16},
        {"extended press", {MacroStepKey, 0x5B005B, 0x1FF}, 2, 0x5B | 2u << 16},
        {"extended release", {MacroStepKey, 0x5B005B, 0x101}, 2, 0x5B | 3u << 16},
        {"Pause is extended", {MacroStepKey, 19 << 16 | 69, kStepPress}, 2, 69 | 2u << 16},
        {"left button press", {MacroStepMouseButton, 1, kStepPress}, 1, 0x001},
        {"button 5 release", {MacroStepMouseButton, 5, kStepRelease}, 1, 0x200},
        {"button 6 has no code", {MacroStepMouseButton, 6, kStepPress}, 1, 0},
        {"an odd action has no code", {MacroStepMouseButton, 1, 0x7F}, 1, 0},
        {"delay", {MacroStepDelay, 250, 0}, 3, 250},
        {"unknown type", {9, 1, 1}, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> block;
        ASSERT_TRUE(BuildStepsBlock({c.step}, block));
        ASSERT_EQ(block.size(), 24u);
        MacroStepsBlockStep out = BlockSteps(block)[0];
        EXPECT_EQ(out.kind, c.kind) << c.what;
        EXPECT_EQ(out.value, c.value) << c.what;
    }
}

TEST(MacroBlock, AnEmptyMacroIsSixteenBytes) {
    std::vector<BYTE> block;
    ASSERT_TRUE(BuildStepsBlock({}, block));
    EXPECT_EQ(block, std::vector<BYTE>(16, 0));
}

std::vector<BYTE> Block(uint32_t count, const std::vector<MacroStepsBlockStep>& steps, size_t trailer = 8) {
    std::vector<BYTE> block(8 + steps.size() * 8 + trailer, 0);
    std::memcpy(block.data() + 4, &count, 4);
    if (!steps.empty())
        std::memcpy(block.data() + 8, steps.data(), steps.size() * 8);
    return block;
}

TEST(MacroBlock, BlocksBecomeSteps) {
    std::vector<MacroStep> steps;
    const std::vector<MacroStepsBlockStep> in = {
        {2, 69 | 2u << 16}, {2, 69 | 1u << 16}, {2, 0x1E | 2u << 16}, {1, 0x008}, {1, 0x400}, {3, 0xFFFFFF}, {7, 5}};
    ASSERT_TRUE(ParseStepsBlock(Block(7, in).data(), Block(7, in).size(), steps));
    const std::vector<MacroStep> expected = {
        {MacroStepKey, 19 << 16 | 69, kStepPress},   {MacroStepKey, 144 << 16 | 69, kStepRelease},
        {MacroStepKey, 0x1E, kStepPress | kStepExtended}, {MacroStepMouseButton, 2, kStepRelease},
        {MacroStepMouseButton, 0, 0},                {MacroStepDelay, 0xFFFFFF, 0},
    };
    EXPECT_EQ(steps, expected);
}

TEST(MacroBlock, ACountTheBlockCannotHoldIsRefused) {
    struct Case {
        const char* what;
        std::vector<BYTE> block;
        bool accepted;
    };
    const Case cases[] = {
        {"count one more than the steps", Block(2, {{3, 1}}, 0), false},
        {"a huge count", Block(0xFFFFFFFF, {{3, 1}}), false},
        {"shorter than its header", std::vector<BYTE>(7, 0), false},
        {"steps without the trailer", Block(1, {{3, 1}}, 0), true},
        {"no steps", Block(0, {}), true},
    };
    for (const Case& c : cases) {
        std::vector<MacroStep> steps = {{MacroStepDelay, 1, 0}};
        EXPECT_EQ(ParseStepsBlock(c.block.data(), c.block.size(), steps), c.accepted) << c.what;
        if (!c.accepted) {
            EXPECT_TRUE(steps.empty()) << c.what;
        }
    }
}

TEST(Lighting, LedIdsAndEffectsMapAsTheKeyboardKnowsThem) {
    const std::pair<uint32_t, int32_t> ids[] = {{0, -1}, {1, 0}, {5, 4}, {11, 10}, {12, -1}, {0xFFFFFFFF, -1}};
    for (auto [id, index] : ids)
        EXPECT_EQ(LedIndexFromId(id), index) << "id " << id;
    const std::pair<uint32_t, uint32_t> effects[] = {{0, 0}, {1, 1}, {5, 5}, {6, 0}, {7, 0}, {9, 0}};
    for (auto [effect, mapped] : effects)
        EXPECT_EQ(MapLedEffect(effect), mapped) << "effect " << effect;
    EXPECT_EQ(FormatVersion(1, 2), CString(L"1.02"));
}

TEST(ProfileOptions, OptionRecordsAndTheLinkedProgramBuffer) {
    EXPECT_EQ(MakeOptionRecord(ProfileOptionShowOsd, true), (OptionRecord{4, 0, 1, 0}));
    EXPECT_EQ(MakeOptionRecord(ProfileOptionAutoSwitch, false), (OptionRecord{1, 0, 0, 0}));

    LinkedProgramBuffer buffer;
    std::wstring longest(127, L'p');
    ASSERT_TRUE(MakeLinkedProgramBuffer(longest.c_str(), buffer));
    EXPECT_EQ(LinkedProgramFromBuffer(buffer.data(), buffer.size()), CString(longest.c_str()));
    EXPECT_FALSE(MakeLinkedProgramBuffer((longest + L"p").c_str(), buffer));
    EXPECT_EQ(buffer, LinkedProgramBuffer{});
}

TEST(ProfileOptions, AReadBackBufferIsCutAt127CharactersAndTerminated) {
    std::vector<BYTE> unterminated(256, 'q');
    CString name = LinkedProgramFromBuffer(unterminated.data(), unterminated.size());
    EXPECT_EQ(name.GetLength(), 127);
    // An odd size and a short size never read past what came back.
    std::vector<BYTE> shortName = {'a', 0, 'b', 0, 'c'};
    EXPECT_EQ(LinkedProgramFromBuffer(shortName.data(), shortName.size()), CString(L"ab"));
    EXPECT_EQ(LinkedProgramFromBuffer(nullptr, 256), CString());
}

// A list of 'length' items (every index answers when length is 0), each
// the same counted item.
struct FakeItem {
    ULONG refs = 1;
    ULONG AddRef() { return ++refs; }
    ULONG Release() { return --refs; }
};
struct FakeList {
    ULONG length = 0;
    FakeItem item;
    HRESULT STDMETHODCALLTYPE Get(ULONG index, FakeItem** out) {
        *out = nullptr;
        if (length != 0 && index >= length)
            return E_INVALIDARG;
        item.AddRef();
        *out = &item;
        return S_OK;
    }
};

TEST(DeviceLists, AWalkEndsWithTheListTheVisitorOrTheStepLimit) {
    struct Case {
        ULONG length;
        ULONG stopAfter;  // 0: the visitor never stops the walk
        uint32_t visits;
    };
    const Case cases[] = {
        {3, 0, 3},
        {10, 4, 4},
        {0, 0, kMaxDeviceListWalk},  // a keyboard whose list never ends
    };
    for (const Case& c : cases) {
        FakeList list;
        list.length = c.length;
        uint32_t visits = 0;
        ForEachDeviceItem(&list, &FakeList::Get, [&](FakeItem*) { return ++visits != c.stopAfter; });
        EXPECT_EQ(visits, c.visits) << "length " << c.length;
        EXPECT_EQ(list.item.refs, 1u) << "every item is released after its visit";
    }
    uint32_t visits = 0;
    ForEachDeviceItem(static_cast<FakeList*>(nullptr), &FakeList::Get, [&](FakeItem*) { return ++visits, true; });
    EXPECT_EQ(visits, 0u);
}

TEST(NullKeyboard, PlaceholderProfilesHaveFixedGuids) {
    const std::pair<int, const wchar_t*> cases[] = {
        {1, L"{00A98AC7-0457-0457-0101-010101010101}"},
        {10, L"{00A98AC7-15B3-15B3-0505-050505050505}"},
        {20, L"{0153158E-15B3-15B3-0505-050505050505}"},
    };
    for (auto [k, text] : cases)
        EXPECT_EQ(GuidToString(CNullKeyboard::PlaceholderGuid(k)), CString(text)) << "profile " << k;
}

}  // namespace

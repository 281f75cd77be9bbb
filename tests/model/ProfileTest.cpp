#include "model/store/CKespaProfile.h"
#include "model/store/IKeyTable.h"
#include "platform/Guid.h"
#include "tests/model/FakeKeyTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const int32_t kKeyA = HashKeyName(L"A");
const int32_t kKeyB = HashKeyName(L"B");
const int32_t kKeyC = HashKeyName(L"C");

bool SameRecord(const KeyAssignment& a, const KeyAssignment& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(Profile, StartsWithItsDefaults) {
    CKespaProfile p(L"Game");
    IKeyboardProfile& i = p;
    EXPECT_STREQ(i.GetName(), L"Game");
    EXPECT_EQ(i.GetGuid(), GUID_NULL);
    EXPECT_FALSE(i.HasFile());
    EXPECT_EQ(i.GetAutoSwitch(), 0);
    EXPECT_EQ(i.GetShowOsd(), 1);
    EXPECT_TRUE(i.GetLinkedApplicationPath().IsEmpty());
    EXPECT_FALSE(i.GetProfileOption());
    i.SetProfileOption(1);
    EXPECT_FALSE(i.GetProfileOption());
    EXPECT_FALSE(i.SaveToFile(L"Game", L"C:\\", L"vqp"));
    EXPECT_FALSE(i.LoadFromFile(L"Game", L"C:\\", L"vqp"));
    EXPECT_STREQ(CKespaProfile().GetName(), L"");
}

TEST(Profile, AcceptsOnlyTheSupportedKindsAndTheirCompanions) {
    struct Case { int32_t type; bool supported; };
    const Case cases[] = {
        {AssignmentDefaultKey, true}, {AssignmentSingleKey, true}, {AssignmentMacro, true},
        {AssignmentMacroByName, true}, {AssignmentDisabled, true}, {AssignmentProfileSwitch, true},
        {AssignmentProfileSwitchByName, true}, {AssignmentLaunchProgram, true},
        {AssignmentLaunchProgramByPath, true}, {AssignmentNone, false}, {AssignmentConfigRecord, false},
        {1, false}, {9, false}, {21, false}, {62, false}, {66, false},
    };
    for (const Case& c : cases) {
        CKespaProfile p(L"p");
        IKeyboardProfile& i = p;
        EXPECT_EQ(i.IsSupportedAssignmentType(c.type), c.supported) << c.type;
        KeyAssignment a = KeyAssignment::Disabled();
        a.type = c.type;
        a.payload[0] = 7;
        i.SetKeyAssignment(kKeyA, a);
        KeyAssignment back = i.GetKeyAssignment(kKeyA);
        EXPECT_EQ(back.type, c.supported ? c.type : AssignmentNone) << c.type;
        EXPECT_EQ(back.payload[0], c.supported ? 7 : 0) << c.type;
    }

    std::vector<int32_t> types{99};
    CKespaProfile().GetSupportedAssignmentTypes(types);
    EXPECT_EQ(types, (std::vector<int32_t>{0, 5, 6, 22, 63, 8}));
}

TEST(Profile, ReadingAnUnknownKeyGivesItAnEntryThatResetFillsFromTheKeyTable) {
    FakeKeyTable table({{kKeyA, 0x1E}, {kKeyB, 0x00E1C045u}});
    CKespaProfile p(L"p");
    IKeyboardProfile& i = p;
    EXPECT_EQ(i.GetKeyAssignment(kKeyA).type, AssignmentNone);
    i.SetKeyAssignment(kKeyB, KeyAssignment::Disabled());
    i.SetKeyAssignment(kKeyC, KeyAssignment::SingleKey(1, 2, 3));  // no table entry
    i.SetAutoSwitch(1);
    i.SetLinkedApplication(L"C:\\Games\\game.exe");

    i.ResetKeyAssignments();
    EXPECT_TRUE(SameRecord(i.GetKeyAssignment(kKeyA), KeyAssignment::DefaultKey(0x1E)));
    KeyAssignment b = i.GetKeyAssignment(kKeyB);
    EXPECT_EQ(b.type, AssignmentDefaultKey);
    EXPECT_EQ(b.GetKeyCode(), 0xC045);
    EXPECT_EQ(b.GetFlagByte(), 0xE1);
    EXPECT_TRUE(SameRecord(i.GetKeyAssignment(kKeyC), KeyAssignment::DefaultKey(0)));
    EXPECT_EQ(i.GetAutoSwitch(), 0);
    EXPECT_TRUE(i.GetLinkedApplicationPath().IsEmpty());
    EXPECT_TRUE(i.GetLinkedApplicationName().IsEmpty());
}

TEST(Profile, ResetLeavesKeysWithoutAnEntryWithout) {
    FakeKeyTable table({{kKeyA, 0x1E}});
    CKespaProfile p(L"p");
    p.ResetKeyAssignments();
    // Read after the reset: still the record of a key never seen.
    EXPECT_EQ(p.GetKeyAssignment(kKeyA).type, AssignmentNone);
}

TEST(Profile, LedSettersMakeAnEntryAndGettersNeverDo) {
    CKespaProfile p(L"p");
    IKeyboardProfile& i = p;
    EXPECT_EQ(i.GetLedBrightness(2), 0u);  // no entry: 0, not the new-entry 100
    EXPECT_EQ(i.GetLedEnabled(2), 0);
    i.SetLedColor(2, 0x123456);
    EXPECT_EQ(i.GetLedEnabled(2), 0);
    EXPECT_EQ(i.GetLedColor(2), 0x123456u);
    EXPECT_EQ(i.GetLedEffect(2), 0u);
    EXPECT_EQ(i.GetLedBrightness(2), 100u);
    i.SetLedEffect(2, 5);
    EXPECT_EQ(i.GetLedColor(2), 0x123456u) << "only the field set changes";

    struct Case { uint32_t set; uint32_t stored; };
    for (Case c : {Case{0, 0}, Case{99, 99}, Case{100, 100}, Case{101, 100}, Case{250, 100},
                   Case{static_cast<uint32_t>(-1), 100}}) {
        i.SetLedBrightness(7, c.set);
        EXPECT_EQ(i.GetLedBrightness(7), c.stored) << c.set;
    }
}

TEST(Profile, LinkedApplicationNameIsTheFileNameWithItsExtension) {
    struct Case { const wchar_t* path; const wchar_t* name; };
    const Case cases[] = {
        {L"C:\\Games\\Quake\\quake.exe", L"quake.exe"},
        {L"quake.exe", L"quake.exe"},
        {L"C:quake.exe", L"quake.exe"},
        {L"D:/tools/run.bat", L"run.bat"},
        {L"\\\\server\\share\\app.v2.exe", L"app.v2.exe"},
        {L"C:\\Games\\", L""},
        {L"noextension", L"noextension"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        CKespaProfile p(L"p");
        p.SetLinkedApplication(c.path);
        EXPECT_STREQ(p.GetLinkedApplicationPath(), c.path);
        EXPECT_STREQ(p.GetLinkedApplicationName(), c.name) << CString(c.path).ToUtf8();
    }
    CKespaProfile p(L"p");
    p.SetLinkedApplication(L"C:\\a\\b.exe");
    p.SetLinkedApplicationName(L"other.exe");
    EXPECT_STREQ(p.GetLinkedApplicationName(), L"other.exe");
    EXPECT_STREQ(p.GetLinkedApplicationPath(), L"C:\\a\\b.exe");
}

TEST(Profile, ALinkedProgramWithAnOverlongNameIsKeptWhole) {
    // Longer than the 256 units a split into fixed buffers would allow.
    std::wstring file(300, L'f');
    std::wstring extension = L"." + std::wstring(280, L'e');
    std::wstring path = L"C:\\Games\\" + file + extension;
    CKespaProfile p(L"p");
    p.SetLinkedApplication(path.c_str());
    EXPECT_EQ(p.GetLinkedApplicationPath().ToStdWString(), path);
    EXPECT_EQ(p.GetLinkedApplicationName().ToStdWString(), file + extension);
}

TEST(Profile, CopiesKeepEverythingButTheSnapshots) {
    GUID g = NewGuid();
    CKespaProfile source(L"Source");
    source.SetGuid(g);
    source.SetAutoSwitch(1);
    source.SetShowOsd(0);
    source.SetLinkedApplication(L"C:\\x\\y.exe");
    source.SetKeyAssignment(kKeyA, KeyAssignment::Disabled());
    source.SetLedColor(4, 0xFF0000);
    source.CacheSettings();

    CKespaProfile copy(source);
    EXPECT_EQ(copy.GetGuid(), g);
    EXPECT_STREQ(copy.GetName(), L"Source");
    EXPECT_EQ(copy.GetAutoSwitch(), 1);
    EXPECT_EQ(copy.GetShowOsd(), 0);
    EXPECT_STREQ(copy.GetLinkedApplicationName(), L"y.exe");
    EXPECT_EQ(copy.GetKeyAssignment(kKeyA).type, AssignmentDisabled);
    EXPECT_EQ(copy.GetLedColor(4), 0xFF0000u);
    EXPECT_FALSE(copy.GetCachedSettings().valid);
    EXPECT_FALSE(copy.RestoreSettings(copy.GetCachedSettings()));

    CKespaProfile target(L"Target");
    target.SetKeyAssignment(kKeyB, KeyAssignment::Disabled());
    target.SetLedColor(9, 1);
    target.CopyFrom(source);
    EXPECT_STREQ(target.GetName(), L"Source");
    EXPECT_EQ(target.GetGuid(), g);
    EXPECT_EQ(target.GetKeyAssignment(kKeyA).type, AssignmentDisabled);
    EXPECT_EQ(target.GetLedColor(9), 0u) << "the maps are emptied before they are refilled";
    source.Assign(source);
    EXPECT_STREQ(source.GetName(), L"Source");
}

TEST(Profile, SnapshotsRestoreLedZeroAndTheEnabledFlagOfLedThree) {
    CKespaProfile p(L"p");
    EXPECT_FALSE(p.RestoreSettings(p.GetCachedSettings()));
    EXPECT_EQ(p.GetLedBrightness(0), 0u) << "a snapshot never taken changes nothing";

    p.SetLedEffect(0, 5);
    p.SetLedBrightness(0, 40);
    p.SetLedColor(0, 0x00FF00);
    p.SetLedEnabled(0, 1);
    p.SetLedEnabled(3, 1);
    p.CacheSettings();
    p.SetLedEffect(0, 0);
    p.CacheSavedSettings();
    p.SetLedBrightness(0, 90);
    p.SetLedColor(0, 0);
    p.SetLedEnabled(0, 0);
    p.SetLedEnabled(3, 0);

    ASSERT_TRUE(p.RestoreSettings(p.GetCachedSettings()));
    EXPECT_EQ(p.GetLedEffect(0), 5u);
    EXPECT_EQ(p.GetLedBrightness(0), 40u);
    EXPECT_EQ(p.GetLedColor(0), 0x00FF00u);
    EXPECT_EQ(p.GetLedEnabled(0), 1);
    EXPECT_EQ(p.GetLedEnabled(3), 1);

    // The saved snapshot was taken with effect 0: it comes back as 0.
    p.SetLedEffect(0, 5);
    ASSERT_TRUE(p.RestoreSettings(p.GetSavedSettings()));
    EXPECT_EQ(p.GetLedEffect(0), 0u);

    // The keyboard's other effects come back as they were: a write takes
    // and restores these snapshots, and must not flatten them.
    for (uint32_t effect : {1u, 3u, 4u}) {
        CKespaProfile q(L"q");
        q.SetLedEffect(0, effect);
        q.CacheSettings();
        q.SetLedEffect(0, 0);
        q.RestoreSettings(q.GetCachedSettings());
        EXPECT_EQ(q.GetLedEffect(0), effect);
    }
}

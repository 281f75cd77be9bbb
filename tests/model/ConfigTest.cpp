#include "model/store/CKespaConfig.h"
#include "model/store/IKeyTable.h"
#include "platform/Guid.h"
#include "tests/model/FakeKeyTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int32_t kKeyA = HashKeyName(L"A");

// A store with three profiles, "A" active.
class StoreWithProfiles : public testing::Test {
protected:
    void SetUp() override {
        a = store.CreateProfile(L"A");
        b = store.CreateProfile(L"B");
        c = store.CreateProfile(L"C");
        store.SetActiveProfile(a);
    }
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (int i = 0; i < store.GetProfileCount(); ++i)
            names.push_back(store.GetProfile(i)->GetName());
        return names;
    }

    CKespaConfig store{L"C:\\app\\"};
    IKeyboardConfig& config = store;
    IKeyboardProfile* a = nullptr;
    IKeyboardProfile* b = nullptr;
    IKeyboardProfile* c = nullptr;
};

// Implements the interface without being one of the store's profiles.
class ForeignProfile : public CKespaProfile {
public:
    ForeignProfile() : CKespaProfile(L"Foreign") {}
};

}  // namespace

TEST(Store, StartsEmptyWithItsInitialValues) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    EXPECT_EQ(config.GetProfileCount(), 0);
    EXPECT_EQ(config.GetActiveProfile(), nullptr);
    EXPECT_EQ(config.GetProfileLimit(), 1024);
    EXPECT_EQ(store.GetLimit(), 1024);
    EXPECT_STREQ(store.GetProfileExtension(), L"vqp");
    EXPECT_EQ(config.GetFeature14Index(), -1);
    EXPECT_EQ(config.GetRangeMin(), 0);
    EXPECT_EQ(config.GetRangeMax(), 1);
    EXPECT_EQ(config.GetFeature15Level(), 100);
    EXPECT_EQ(config.GetFeature15Option(), 1);
    EXPECT_EQ(config.GetOnOffFeature(), 0);
    EXPECT_TRUE(config.IsKeyAssignable(kKeyA));
    EXPECT_FALSE(config.Reserved21());
    EXPECT_FALSE(config.Reserved23());
    EXPECT_FALSE(config.Reserved51());
    EXPECT_FALSE(config.Reserved61());
}

TEST(Store, ANewProfileGetsTheNewProfileDefaults) {
    FakeKeyTable table({{kKeyA, 0x1E}});
    CKespaConfig store(L"C:\\app\\");
    IKeyboardProfile* p = store.CreateProfile(L"New");
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->GetName(), L"New");
    EXPECT_EQ(p->GetGuid(), GUID_NULL);
    EXPECT_EQ(p->GetLedEnabled(4), 1);
    EXPECT_EQ(p->GetLedColor(4), 0xFF0000u);
    EXPECT_EQ(p->GetLedEffect(4), 5u);
    EXPECT_EQ(p->GetLedBrightness(4), 100u);
    EXPECT_EQ(p->GetAutoSwitch(), 0);
    EXPECT_EQ(p->GetKeyAssignment(kKeyA).type, AssignmentNone) << "a new profile has no key entries";
    // Names are neither unique nor limited here.
    EXPECT_NE(store.CreateProfile(L"New"), nullptr);
    EXPECT_EQ(store.GetProfileCount(), 2);
}

TEST(Store, RestoringDefaultsGivesAnEditedProfileWhatANewOneHas) {
    FakeKeyTable table({{kKeyA, 0x1E}});
    CKespaConfig store(L"C:\\app\\");
    IKeyboardProfile* p = store.CreateProfile(L"Edited");
    p->SetKeyAssignment(kKeyA, KeyAssignment::Disabled());
    p->SetLedColor(4, 0x00FF00);
    p->SetLedEffect(4, 1);
    p->SetLedBrightness(4, 10);
    p->SetLedEnabled(4, 0);
    ApplyNewProfileDefaults(*p);
    EXPECT_EQ(p->GetKeyAssignment(kKeyA).type, AssignmentDefaultKey) << "the key is back on its default";
    EXPECT_EQ(p->GetLedEnabled(4), 1);
    EXPECT_EQ(p->GetLedColor(4), 0xFF0000u);
    EXPECT_EQ(p->GetLedEffect(4), 5u);
    EXPECT_EQ(p->GetLedBrightness(4), 100u);
}

TEST(Store, CreatingAProfileGivesEveryProfileTheActiveProfilesShowOsd) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardProfile* first = store.CreateProfile(L"1");
    EXPECT_EQ(first->GetShowOsd(), 0) << "no active profile: 0";
    first->SetShowOsd(1);
    store.SetActiveProfile(first);
    IKeyboardProfile* other = store.CreateProfile(L"2");
    EXPECT_EQ(other->GetShowOsd(), 1);
    other->SetShowOsd(0);
    first->SetShowOsd(0);
    store.CreateProfile(L"3");
    EXPECT_EQ(other->GetShowOsd(), 0);

    store.SetActiveProfile(nullptr);
    other->SetShowOsd(1);
    store.CreateProfile(L"4");
    for (int i = 0; i < store.GetProfileCount(); ++i)
        EXPECT_EQ(store.GetProfile(i)->GetShowOsd(), 0) << i;
}

TEST_F(StoreWithProfiles, ProfilesAreFoundByIndexNameAndGuid) {
    struct Case { int index; IKeyboardProfile* expected; };
    for (Case k : {Case{0, a}, Case{2, c}, Case{3, nullptr}, Case{-1, nullptr}, Case{INT_MIN, nullptr}})
        EXPECT_EQ(config.GetProfile(k.index), k.expected) << k.index;

    EXPECT_EQ(config.FindProfileByName(L"b"), b);
    EXPECT_EQ(config.FindProfileByName(L"D"), nullptr);
    EXPECT_EQ(config.FindProfileByName(nullptr), nullptr);
    GUID g = NewGuid();
    c->SetGuid(g);
    EXPECT_EQ(config.FindProfileByGuid(g), c);
    EXPECT_EQ(config.FindProfileByGuid(NewGuid()), nullptr);
    EXPECT_EQ(config.FindProfileByGuid(GUID_NULL), a) << "the first profile not yet on the keyboard";
}

TEST_F(StoreWithProfiles, OnlyAProfileOfTheStoreOrNullCanBecomeActive) {
    config.SetActiveProfile(b);
    EXPECT_EQ(config.GetActiveProfile(), b);
    ForeignProfile foreign;
    config.SetActiveProfile(&foreign);
    EXPECT_EQ(config.GetActiveProfile(), b) << "a profile outside the store is refused";
    config.SetActiveProfile(nullptr);
    EXPECT_EQ(config.GetActiveProfile(), nullptr);
}

TEST_F(StoreWithProfiles, RenameReplacesTheObjectInPlaceAndKeepsItActive) {
    GUID g = NewGuid();
    a->SetGuid(g);
    a->SetKeyAssignment(kKeyA, KeyAssignment::Disabled());
    IKeyboardProfile* renamed = config.RenameProfile(a, L"a");  // a case change is a rename
    ASSERT_NE(renamed, nullptr);
    EXPECT_NE(renamed, a);
    EXPECT_STREQ(renamed->GetName(), L"a");
    EXPECT_EQ(renamed->GetGuid(), g);
    EXPECT_EQ(renamed->GetKeyAssignment(kKeyA).type, AssignmentDisabled);
    EXPECT_EQ(config.GetProfile(0), renamed);
    EXPECT_EQ(config.GetActiveProfile(), renamed);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a", L"B", L"C"}));

    IKeyboardProfile* second = config.RenameProfile(c, L"Z");
    EXPECT_EQ(config.GetProfile(2), second);
    EXPECT_EQ(config.GetActiveProfile(), renamed) << "renaming another profile keeps the active one";
}

TEST_F(StoreWithProfiles, RenameThatChangesNothingOrCannotApplyReturnsNull) {
    ForeignProfile foreign;
    struct Case { const char* what; IKeyboardProfile* profile; const wchar_t* name; };
    const Case cases[] = {
        {"same name", b, L"B"},
        {"null profile", nullptr, L"X"},
        {"null name", b, nullptr},
        {"profile outside the store", &foreign, L"X"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(config.RenameProfile(k.profile, k.name), nullptr) << k.what;
        EXPECT_EQ(Names(), (std::vector<std::wstring>{L"A", L"B", L"C"})) << k.what;
        EXPECT_EQ(config.GetProfile(1), b) << k.what;
    }
    // The membership check comes before any change.
    EXPECT_STREQ(foreign.GetName(), L"Foreign");
}

TEST_F(StoreWithProfiles, DuplicateAppendsACopyOffTheKeyboardWithoutCheckingOtherNames) {
    GUID g = NewGuid();
    a->SetGuid(g);
    a->SetLedColor(0, 0x123456);
    IKeyboardProfile* copy = config.DuplicateProfile(a, L"B");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetGuid(), GUID_NULL);
    EXPECT_EQ(copy->GetLedColor(0), 0x123456u);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"A", L"B", L"C", L"B"}));
    EXPECT_EQ(a->GetGuid(), g);

    EXPECT_EQ(config.DuplicateProfile(a, L"A"), nullptr);
    EXPECT_EQ(config.DuplicateProfile(nullptr, L"X"), nullptr);
    EXPECT_EQ(config.DuplicateProfile(a, nullptr), nullptr);
    EXPECT_EQ(config.GetProfileCount(), 4);
}

TEST_F(StoreWithProfiles, AddProfileCopyKeepsTheGuid) {
    GUID g = NewGuid();
    b->SetGuid(g);
    IKeyboardProfile* copy = config.AddProfileCopy(b);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, b);
    EXPECT_EQ(copy->GetGuid(), g);
    EXPECT_STREQ(copy->GetName(), L"B");
    EXPECT_EQ(config.GetProfile(3), copy);
    EXPECT_EQ(config.AddProfileCopy(nullptr), nullptr);
}

TEST_F(StoreWithProfiles, DeletingTheActiveProfileLeavesNoneActive) {
    config.DeleteProfile(a);
    EXPECT_EQ(config.GetActiveProfile(), nullptr);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"B", L"C"}));
    ForeignProfile foreign;
    config.DeleteProfile(&foreign);
    config.DeleteProfile(nullptr);
    EXPECT_EQ(config.GetProfileCount(), 2);
    config.SetActiveProfile(c);
    config.DeleteProfile(b);
    EXPECT_EQ(config.GetActiveProfile(), c);
    config.ClearProfiles();
    EXPECT_EQ(config.GetProfileCount(), 0);
    EXPECT_EQ(config.GetActiveProfile(), nullptr);
}

TEST_F(StoreWithProfiles, ProfileOperationsUseTheActiveProfileForNull) {
    config.SetKeyAssignment(kKeyA, KeyAssignment::Disabled(), nullptr);
    EXPECT_EQ(a->GetKeyAssignment(kKeyA).type, AssignmentDisabled);
    config.SetKeyAssignment(kKeyA, KeyAssignment::SingleKey(1, 0, 0), b);
    EXPECT_EQ(config.GetKeyAssignment(kKeyA, b).type, AssignmentSingleKey);
    EXPECT_EQ(config.GetKeyAssignment(kKeyA, nullptr).type, AssignmentDisabled);

    config.SetLedEnabled(1, 1, nullptr);
    config.SetLedColor(1, 0xABCDEF, nullptr);
    config.SetLedEffect(1, 5, nullptr);
    config.SetLedBrightness(1, 300, nullptr);
    EXPECT_EQ(config.GetLedEnabled(1, a), 1);
    EXPECT_EQ(config.GetLedColor(1, nullptr), 0xABCDEFu);
    EXPECT_EQ(config.GetLedEffect(1, nullptr), 5u);
    EXPECT_EQ(config.GetLedBrightness(1, nullptr), 100u);
    EXPECT_EQ(config.GetLedColor(1, b), 0u);

    config.SetShowOsd(1, nullptr);
    EXPECT_EQ(config.GetShowOsd(a), 1);
    config.SetShowOsdAll(0);
    for (IKeyboardProfile* p : {a, b, c})
        EXPECT_EQ(p->GetShowOsd(), 0);
}

TEST(Store, WithoutAnyProfileSettersDoNothingAndGettersGiveZero) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    config.SetKeyAssignment(kKeyA, KeyAssignment::Disabled(), nullptr);
    config.SetLedColor(0, 0xFF, nullptr);
    config.SetShowOsd(1, nullptr);
    KeyAssignment none = config.GetKeyAssignment(kKeyA, nullptr);
    EXPECT_EQ(none.type, AssignmentNone);
    EXPECT_EQ(config.GetLedColor(0, nullptr), 0u);
    EXPECT_EQ(config.GetLedBrightness(0, nullptr), 0u);
    EXPECT_EQ(config.GetShowOsd(nullptr), 0);
    EXPECT_EQ(config.GetProfileCount(), 0);
}

TEST(Store, ClampedValuesCompareUnsigned) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    struct Case { int32_t set; int32_t beforeInit; int32_t afterInit; };
    const Case cases[] = {
        {0, 0, 0}, {1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 3}, {-1, 1, 3}, {INT_MIN, 1, 3},
    };
    for (const Case& k : cases) {
        CKespaConfig fresh(L"C:\\app\\");
        fresh.SetFeature14Value(k.set);
        fresh.SetFeature15Value(k.set);
        EXPECT_EQ(fresh.GetFeature14Value(), k.beforeInit) << k.set;
        EXPECT_EQ(fresh.GetFeature15Value(), k.beforeInit) << k.set;
        fresh.InitRange();
        fresh.SetFeature14Value(k.set);
        fresh.SetFeature15Value(k.set);
        EXPECT_EQ(fresh.GetFeature14Value(), k.afterInit) << k.set;
        EXPECT_EQ(fresh.GetFeature15Value(), k.afterInit) << k.set;
    }
    struct Level { int32_t set; int32_t stored; };
    for (Level k : {Level{150, 100}, Level{100, 100}, Level{0, 0}, Level{-5, 100}}) {
        config.SetFeature15Level(k.set);
        EXPECT_EQ(config.GetFeature15Level(), k.stored) << k.set;
    }
    config.SetFeature14Index(77);
    config.SetFeature15Option(-9);
    config.SetOnOffFeature(1);
    EXPECT_EQ(config.GetFeature14Index(), 77);
    EXPECT_EQ(config.GetFeature15Option(), -9);
    EXPECT_EQ(config.GetOnOffFeature(), 1);
}

TEST(Store, ConfigurationRecordsHoldOnlyKindSixtyFive) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    KeyAssignment record = KeyAssignment::None();
    record.type = AssignmentConfigRecord;
    record.payload[10] = 0x5A;
    config.SetFeature9Assignment(30, record);
    config.SetFeature9Assignment(-4, record);
    config.SetFeature9Assignment(12, KeyAssignment::Disabled());
    EXPECT_EQ(config.GetFeature9AssignmentCount(), 2);
    EXPECT_EQ(config.GetFeature9Assignment(30).payload[10], 0x5A);

    EXPECT_EQ(config.GetFeature9Assignment(12).type, AssignmentNone);
    EXPECT_EQ(config.GetFeature9AssignmentCount(), 3) << "reading an unknown key gives it an entry";
    struct Case { int n; int32_t key; };
    for (Case k : {Case{0, -4}, Case{1, 12}, Case{2, 30}, Case{3, 0}, Case{-1, 0}})
        EXPECT_EQ(config.GetFeature9AssignmentKey(k.n), k.key) << k.n;
}

TEST(Store, ApmEntriesStaySortedByTheirUnsignedSecondValue) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    EXPECT_TRUE(config.AddAPM(50, 500, 5));
    EXPECT_TRUE(config.AddAPM(20, 200, 2));
    EXPECT_TRUE(config.AddAPM(90, 900, 9));
    EXPECT_TRUE(config.AddAPM(-1, -10, -1));  // 0xFFFFFFFF sorts last
    EXPECT_FALSE(config.AddAPM(0, 0, 5));
    ASSERT_EQ(config.GetAPMCount(), 4);
    struct Entry { int32_t value, first, second; };
    const Entry expected[] = {{20, 200, 2}, {50, 500, 5}, {90, 900, 9}, {-1, -10, -1}};
    for (int i = 0; i < 4; ++i) {
        Entry e{};
        ASSERT_TRUE(config.GetAPMValue(i, e.value));
        ASSERT_TRUE(config.GetAPMRange(i, e.first, e.second));
        EXPECT_EQ(e.value, expected[i].value) << i;
        EXPECT_EQ(e.first, expected[i].first) << i;
        EXPECT_EQ(e.second, expected[i].second) << i;
    }

    EXPECT_TRUE(config.SetAPMValue(1, 55));
    EXPECT_TRUE(config.SetAPMRange(1, 7, 5));
    int32_t value = 0, first = 0, second = 0;
    config.GetAPMValue(1, value);
    config.GetAPMRange(1, first, second);
    EXPECT_EQ(value, 55);
    EXPECT_EQ(first, 7);

    value = 123;
    for (int bad : {4, -1, INT_MIN}) {
        EXPECT_FALSE(config.SetAPMValue(bad, 1)) << bad;
        EXPECT_FALSE(config.SetAPMRange(bad, 1, 1)) << bad;
        EXPECT_FALSE(config.GetAPMValue(bad, value)) << bad;
        EXPECT_FALSE(config.GetAPMRange(bad, first, second)) << bad;
    }
    EXPECT_EQ(value, 123);
    config.ClearAPMs();
    EXPECT_EQ(config.GetAPMCount(), 0);
}

TEST(Store, MacrosAndProgramsAreUniqueIgnoringCase) {
    CKespaConfig store(L"C:\\app\\");
    IKeyboardConfig& config = store;
    CMacro* m = config.AddMacro(L"MACRO 1");
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->steps.empty());
    EXPECT_EQ(config.AddMacro(L"Macro 1"), nullptr);
    CMacro* n = config.AddMacro(L"Other");
    GUID g = NewGuid();
    n->guid = g;
    EXPECT_EQ(config.GetMacroCount(), 2);
    EXPECT_EQ(config.FindMacroByName(L"macro 1"), m);
    EXPECT_EQ(config.FindMacroByGuid(g), n);
    EXPECT_EQ(config.GetMacro(1), n);
    EXPECT_EQ(config.GetMacro(2), nullptr);
    EXPECT_EQ(config.GetMacro(-1), nullptr);
    CMacro stranger;
    config.DeleteMacro(&stranger);
    config.DeleteMacro(nullptr);
    EXPECT_EQ(config.GetMacroCount(), 2);
    config.DeleteMacro(m);
    EXPECT_EQ(config.GetMacro(0), n);

    CVqApp* app = config.AddApplication(L"Game.exe");
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->guid, GUID_NULL);
    EXPECT_EQ(config.AddApplication(L"GAME.EXE"), nullptr);
    app->guid = g;
    EXPECT_EQ(config.FindApplicationByName(L"game.exe"), app);
    EXPECT_EQ(config.FindApplicationByGuid(g), app);
    EXPECT_EQ(config.GetApplication(-1), nullptr);
    CVqApp outsider(L"x.exe");
    config.RemoveApplication(&outsider);
    config.RemoveApplication(nullptr);
    EXPECT_EQ(config.GetApplicationCount(), 1);
    config.RemoveApplication(app);
    EXPECT_EQ(config.GetApplicationCount(), 0);
}

TEST(Store, DefaultAssignmentOfAKeyComesFromTheKeyTable) {
    CKespaConfig store(L"C:\\app\\");
    EXPECT_EQ(store.MakeDefaultAssignment(kKeyA).GetKeyCode(), 0) << "no table yet";
    FakeKeyTable table({{kKeyA, 0x011C}});
    KeyAssignment a = store.MakeDefaultAssignment(kKeyA);
    EXPECT_EQ(a.type, AssignmentDefaultKey);
    EXPECT_EQ(a.GetKeyCode(), 0x011C);
    EXPECT_EQ(a.GetFlagByte(), 0);
}

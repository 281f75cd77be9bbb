// The store's record of what the keyboard holds: what counts as the user's
// change against it, and how a write's findings come back into a store the
// user kept editing meanwhile.

#include "model/store/CKespaConfig.h"
#include "model/device/CStoreSnapshot.h"
#include "model/store/CSyncedState.h"
#include "model/store/IKeyTable.h"
#include "model/device/ProfileChanges.h"
#include "platform/Guid.h"
#include "tests/model/FakeKeyTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int32_t kKeyA = HashKeyName(L"A");
const int32_t kKeyB = HashKeyName(L"B");
// Device key ids whose codes the fake key table finds A and B by.
constexpr uint32_t kDeviceKeyA = 0x1E;
constexpr uint32_t kDeviceKeyB = 0x30;

class SyncedStore : public testing::Test {
protected:
    void SetUp() override { Build(); }
    // Two profiles, a macro and an application, as a read of the keyboard
    // left them.
    void Build() {
        holder = std::make_unique<CKespaConfig>(L"C:\\app\\");
        for (const wchar_t* name : {L"One", L"Two"}) {
            IKeyboardProfile* profile = store().CreateProfile(name);
            profile->SetGuid(NewGuid());
            profile->SetKeyAssignment(kKeyA, KeyAssignment::DefaultKey(kDeviceKeyA));
            profile->SetKeyAssignment(kKeyB, KeyAssignment::DefaultKey(kDeviceKeyB));
        }
        store().SetActiveProfile(store().GetProfile(0));
        CMacro* macro = store().AddMacro(L"Hop");
        macro->guid = NewGuid();
        macro->steps = {{MacroStepDelay, 5, 0}};
        store().AddApplication(L"C:\\Play.exe")->guid = NewGuid();
        store().Synced().TakeStore(store());
    }
    ProfileChanges Changes(int index) {
        IKeyboardProfile* profile = store().GetProfile(index);
        return FindProfileChanges(*profile, store().Synced().FindProfile(profile->GetGuid()), keyIds);
    }

    FakeKeyTable keys{{kKeyA, kDeviceKeyA}, {kKeyB, kDeviceKeyB}};
    std::unique_ptr<CKespaConfig> holder;
    CKespaConfig& store() { return *holder; }
    const std::vector<uint32_t> keyIds{kDeviceKeyA, kDeviceKeyB};
};

TEST_F(SyncedStore, EachEditCountsAsAChangeOfItsOwnItemOnly) {
    struct Case {
        const char* edit;
        std::function<void(IKeyboardProfile&)> apply;
        bool name, options;
        std::vector<uint32_t> keys;
        std::vector<int32_t> leds;
    };
    const Case cases[] = {
        {"nothing", [](IKeyboardProfile&) {}, false, false, {}, {}},
        {"a new name", [](IKeyboardProfile& p) { p.SetName(L"Renamed"); }, true, false, {}, {}},
        {"the name in other letter case", [](IKeyboardProfile& p) { p.SetName(L"ONE"); }, true, false, {}, {}},
        {"a linked program", [](IKeyboardProfile& p) { p.SetLinkedApplication(L"C:\\Play.exe"); }, false, true, {}, {}},
        {"automatic switching", [](IKeyboardProfile& p) { p.SetAutoSwitch(1); }, false, true, {}, {}},
        {"the on-screen display", [](IKeyboardProfile& p) { p.SetShowOsd(p.GetShowOsd() ? 0 : 1); }, false, true, {}, {}},
        {"one key", [](IKeyboardProfile& p) { p.SetKeyAssignment(kKeyB, KeyAssignment::Disabled()); }, false, false,
         {kDeviceKeyB}, {}},
        {"a key set to what it had", [](IKeyboardProfile& p) { p.SetKeyAssignment(kKeyA, KeyAssignment::DefaultKey(kDeviceKeyA)); },
         false, false, {}, {}},
        {"one LED", [](IKeyboardProfile& p) { p.SetLedColor(4, 0x00FF00); }, false, false, {}, {4}},
        {"an LED the keyboard reports under another id", [](IKeyboardProfile& p) { p.SetLedEnabled(-1, 1); }, false,
         false, {}, {-1}},
        {"restoring defaults", [](IKeyboardProfile& p) { p.SetKeyAssignment(kKeyA, KeyAssignment::Disabled()); ApplyNewProfileDefaults(p); },
         false, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        Build();
        c.apply(*store().GetProfile(0));
        const ProfileChanges changes = Changes(0);
        EXPECT_FALSE(changes.unknown);
        EXPECT_EQ(changes.name, c.name);
        EXPECT_EQ(changes.options, c.options);
        EXPECT_EQ(changes.keys, c.keys);
        EXPECT_EQ(changes.leds, c.leds);
        EXPECT_FALSE(Changes(1).Any()) << "the other profile changed too";
    }
}

TEST_F(SyncedStore, WhatTheUserDeletedIsWhatTheRecordHasAndTheStoreNoLonger) {
    const GUID two = store().GetProfile(1)->GetGuid();
    const GUID hop = store().GetMacro(0)->guid;
    const GUID play = store().GetApplication(0)->guid;
    // A rename replaces the profile object: it is no deletion.
    store().RenameProfile(store().GetProfile(0), L"Renamed");
    store().DeleteProfile(store().GetProfile(1));
    store().DeleteMacro(store().GetMacro(0));
    store().RemoveApplication(store().GetApplication(0));
    // Items the record never had are none of its business.
    store().AddMacro(L"New");
    EXPECT_EQ(store().Synced().DeletedProfiles(store()), std::vector<GUID>{two});
    EXPECT_EQ(store().Synced().DeletedMacros(store()), std::vector<GUID>{hop});
    EXPECT_EQ(store().Synced().DeletedApplications(store()), std::vector<GUID>{play});
}

TEST_F(SyncedStore, AProfileTheRecordDoesNotKnowGoesWhole) {
    IKeyboardProfile* fresh = store().CreateProfile(L"Fresh");
    const ProfileChanges changes = FindProfileChanges(*fresh, store().Synced().FindProfile(fresh->GetGuid()), keyIds);
    EXPECT_TRUE(changes.unknown);
    EXPECT_EQ(changes.keys, keyIds);
    EXPECT_EQ(changes.leds.size(), static_cast<size_t>(kLastSyncedLed - kFirstSyncedLed + 1));
}

TEST_F(SyncedStore, FindingsComeBackOnlyWhereTheUserDidNotEditMeanwhile) {
    CStoreSnapshot snapshot(&store());
    IKeyboardConfig* copy = snapshot.Config();
    CSyncedState& working = *snapshot.Synced();
    const GUID one = store().GetProfile(0)->GetGuid();
    // What a write found on the keyboard: both keys of profile One changed,
    // a new macro, and the active profile switched to Two.
    KeyboardFindings found;
    for (int32_t key : {kKeyA, kKeyB}) {
        const KeyAssignment before = copy->GetKeyAssignment(key, copy->GetProfile(0));
        copy->SetKeyAssignment(key, KeyAssignment::Disabled(), copy->GetProfile(0));
        working.FindProfile(one)->SetKeyAssignment(key, KeyAssignment::Disabled());
        found.keys.push_back({one, key, before, KeyAssignment::Disabled()});
    }
    CMacro* recorded = copy->AddMacro(L"New Macro1");
    recorded->guid = NewGuid();
    working.PutMacro(*recorded);
    found.newMacros.push_back(recorded->guid);
    found.activeChanged = true;
    found.activeBefore = one;
    found.activeAfter = store().GetProfile(1)->GetGuid();
    working.activeProfile = found.activeAfter;
    // Meanwhile the user edits key B and makes a macro of the same name.
    const KeyAssignment mine = KeyAssignment::SingleKey(0x1F, 0, 0);
    store().SetKeyAssignment(kKeyB, mine, store().GetProfile(0));
    store().AddMacro(L"New Macro1");

    snapshot.MergeInto(&store(), {}, &found, keyIds);
    IKeyboardProfile* first = store().FindProfileByGuid(one);
    EXPECT_EQ(first->GetKeyAssignment(kKeyA).type, AssignmentDisabled) << "the keyboard's change comes in";
    EXPECT_EQ(first->GetKeyAssignment(kKeyB).type, AssignmentSingleKey) << "the user's edit is kept";
    EXPECT_EQ(store().GetActiveProfile(), store().GetProfile(1));
    // The record is the keyboard's now: the user's edit is still a change,
    // and the macro whose name was taken stays on the keyboard alone (never
    // to be deleted as if the user had).
    EXPECT_EQ(FindProfileChanges(*first, store().Synced().FindProfile(one), keyIds).keys,
              std::vector<uint32_t>{kDeviceKeyB});
    EXPECT_EQ(store().FindMacroByGuid(recorded->guid), nullptr);
    EXPECT_TRUE(store().Synced().DeletedMacros(store()).empty());
}

TEST_F(SyncedStore, AFailedWriteGivesBackItsGuidsAndLeavesTheRecord) {
    IKeyboardProfile* fresh = store().CreateProfile(L"Fresh");
    CStoreSnapshot snapshot(&store());
    // The write made the profile and a macro the keyboard had lost, then failed.
    const GUID made = NewGuid(), again = NewGuid();
    snapshot.Config()->FindProfileByName(L"Fresh")->SetGuid(made);
    snapshot.Config()->FindMacroByName(L"Hop")->guid = again;
    const CSyncedState before = store().Synced();

    snapshot.MergeInto(&store(), {}, nullptr, keyIds);
    EXPECT_EQ(fresh->GetGuid(), made);
    EXPECT_EQ(store().FindMacroByName(L"Hop")->guid, again) << "else the next write makes it a second time";
    EXPECT_EQ(store().Synced().FindProfile(made), nullptr);
    EXPECT_EQ(store().Synced().activeProfile, before.activeProfile);
}

}  // namespace

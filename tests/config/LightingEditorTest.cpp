// The lighting page's rules against a real store and a recording fake of
// the keyboard's two direct calls: the brightness steps, what each command
// stores and sends (the parts named by the flags), when nothing goes to the
// keyboard, and the snapshot that every way of cancelling puts back.

#include "config/CLightingEditor.h"
#include "model/device/LightingTransfer.h"
#include "model/store/CKespaConfig.h"
#include "model/store/CSyncedState.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const GUID kFirst = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kSecond = {0x99999999, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};

// One direct call as the keyboard received it.
struct Call {
    std::string what;  // "lighting" or "feature"
    uint32_t brightness = 0, colour = 0, effect = 0, flags = 0;
    bool on = false;

    bool operator==(const Call& o) const {
        return what == o.what && brightness == o.brightness && colour == o.colour && effect == o.effect &&
               flags == o.flags && on == o.on;
    }
};

std::ostream& operator<<(std::ostream& out, const Call& c) {
    if (c.what == "feature")
        return out << "feature(" << c.on << ")";
    return out << "lighting(b " << c.brightness << ", c 0x" << std::hex << c.colour << std::dec << ", e " << c.effect
               << ", flags " << c.flags << ")";
}

Call Lighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) {
    return Call{"lighting", brightness, colour, effect, flags, false};
}
Call Feature(bool on) { return Call{"feature", 0, 0, 0, 0, on}; }

class RecordingKeyboard : public IKeyboardLighting {
public:
    void SetLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) override {
        calls.push_back(Lighting(brightness, colour, effect, flags));
    }
    void SetFeature(bool on) override { calls.push_back(Feature(on)); }
    std::vector<Call> Take() { return std::exchange(calls, {}); }

    std::vector<Call> calls;
};

// Two profiles on the keyboard, the first active on it and in the store;
// the logo light of the first steady red at brightness 50.
class LogoLight : public ::testing::Test {
protected:
    LogoLight() : store(L"Z:\\nonexistent\\"), editor(store, keyboard) {
        first = store.CreateProfile(L"Work");
        second = store.CreateProfile(L"Play");
        first->SetGuid(kFirst);
        second->SetGuid(kSecond);
        store.SetActiveProfile(first);
        SyncedStateOf(&store)->activeProfile = kFirst;
        store.SetLedEffect(4, 0, first);
        store.SetLedColor(4, 0x0000FF, first);
        store.SetLedBrightness(4, 50, first);
        store.SetLedEffect(4, 5, second);
        store.SetLedColor(4, 0x00FF00, second);
        store.SetLedBrightness(4, 20, second);
    }

    CKespaConfig store;
    RecordingKeyboard keyboard;
    CLightingEditor editor;
    IKeyboardProfile* first;
    IKeyboardProfile* second;
};

TEST(BrightnessSteps, PositionsStoreFourValuesAndValuesShowAtFourPositions) {
    const struct {
        int position;
        uint32_t stored;
        int restsAt;
        const wchar_t* name;
    } steps[] = {
        {0, 0, 0, L"$Off"},        {1, 0, 0, L"$Off"},         {15, 0, 0, L"$Off"},
        {16, 20, 29, L"$Dim"},     {40, 20, 29, L"$Dim"},      {46, 20, 29, L"$Dim"},
        {47, 50, 62, L"$Normal"},  {82, 50, 62, L"$Normal"},   {83, 100, 100, L"$Bright"},
        {100, 100, 100, L"$Bright"},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(CLightingEditor::BrightnessAt(s.position), s.stored) << s.position;
        EXPECT_EQ(CLightingEditor::SnapPosition(s.position), s.restsAt) << s.position;
        EXPECT_STREQ(CLightingEditor::StepNameAt(s.position), s.name) << s.position;
    }
    const struct {
        uint32_t brightness;
        int shownAt;
    } shown[] = {{0, 0}, {15, 0}, {16, 29}, {46, 29}, {47, 62}, {82, 62}, {83, 100}, {100, 100}};
    for (const auto& s : shown)
        EXPECT_EQ(CLightingEditor::PositionOf(s.brightness), s.shownAt) << s.brightness;
}

TEST_F(LogoLight, EachCommandStoresItsPartAndSendsOnlyThatPart) {
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<Call> sent;
    } commands[] = {
        {"spectrum", [&] { editor.ChooseSpectrum(); }, {Lighting(0, 0, 5, kLightingEffect)}},
        {"colour while cycling", [&] { editor.ChooseColour(0xFF8000); }, {}},
        {"steady", [&] { editor.ChooseSteady(); }, {Lighting(0, 0xFF8000, 0, kLightingColour | kLightingEffect)}},
        {"colour while steady", [&] { editor.ChooseColour(0x00FFFF); }, {Lighting(0, 0x00FFFF, 0, kLightingColour)}},
        {"slider moving", [&] { editor.MoveBrightness(30); }, {}},
        {"slider let go", [&] { EXPECT_EQ(editor.ReleaseBrightness(90), 100); }, {Lighting(100, 0, 0, kLightingBrightness)}},
        {"on/off", [&] { editor.SetOnOff(true); }, {Feature(true)}},
        {"everything", [&] { editor.ApplyLighting(); }, {Lighting(100, 0x00FFFF, 0, kLightingAll)}},
    };
    for (const auto& c : commands) {
        c.act();
        EXPECT_EQ(keyboard.Take(), c.sent) << c.what;
    }
    EXPECT_EQ(store.GetLedEffect(4, first), 0u);
    EXPECT_EQ(store.GetLedColor(4, first), 0x00FFFFu);
    EXPECT_EQ(store.GetLedBrightness(4, first), 100u);
    EXPECT_EQ(store.GetOnOffFeature(), 1);
    EXPECT_EQ(store.GetLedColor(4, second), 0x00FF00u) << "only the active profile changes";
}

TEST_F(LogoLight, APreviewShowsWithoutBeingStoredAndItsEndShowsTheStoredColour) {
    editor.PreviewColour(0x123456);
    editor.PreviewColour(0x654321);
    editor.EndPreview();
    EXPECT_EQ(keyboard.Take(), (std::vector<Call>{Lighting(0, 0x123456, 0, kLightingColour),
                                                  Lighting(0, 0x654321, 0, kLightingColour),
                                                  Lighting(0, 0x0000FF, 0, kLightingColour)}));
    EXPECT_EQ(store.GetLedColor(4, first), 0x0000FFu);
    editor.ChooseSpectrum();
    keyboard.Take();
    editor.PreviewColour(0x123456);
    EXPECT_TRUE(keyboard.Take().empty()) << "a cycling light shows no colour";
}

TEST_F(LogoLight, NothingGoesToTheKeyboardWhileItShowsAnotherProfile) {
    store.SetActiveProfile(second);
    editor.ChooseSteady();
    editor.ChooseColour(0x0080FF);
    editor.PreviewColour(0x123456);
    editor.ReleaseBrightness(100);
    editor.ApplyLighting();
    EXPECT_TRUE(keyboard.Take().empty());
    EXPECT_EQ(store.GetLedColor(4, second), 0x0080FFu) << "the store still takes the change";
    editor.SetOnOff(true);
    EXPECT_EQ(keyboard.Take(), std::vector<Call>{Feature(true)}) << "the switch is the whole keyboard's";

    // Once written, the keyboard shows the second profile: changes show again.
    SyncedStateOf(&store)->activeProfile = kSecond;
    editor.ApplyLighting();
    EXPECT_EQ(keyboard.Take(), std::vector<Call>{Lighting(100, 0x0080FF, 0, kLightingAll)});
    // A profile that is not on the keyboard yet is never shown.
    second->SetGuid(GUID_NULL);
    SyncedStateOf(&store)->activeProfile = GUID_NULL;
    editor.ApplyLighting();
    EXPECT_TRUE(keyboard.Take().empty());
}

TEST_F(LogoLight, TheSnapshotKeepsTheEffectItselfAndGoesBackToItsOwnProfile) {
    store.SetLedEffect(4, 3, first);  // an effect the page has no button for
    editor.SetSnapshot(editor.Capture());
    editor.ChooseSpectrum();
    editor.ChooseColour(0xFFFFFF);
    editor.ReleaseBrightness(0);
    editor.SetOnOff(true);
    store.SetActiveProfile(second);  // then the user switched profiles
    keyboard.Take();

    editor.RestoreSnapshot();
    EXPECT_EQ(store.GetLedEffect(4, first), 3u);
    EXPECT_EQ(store.GetLedColor(4, first), 0x0000FFu);
    EXPECT_EQ(store.GetLedBrightness(4, first), 50u);
    EXPECT_EQ(store.GetOnOffFeature(), 0);
    EXPECT_EQ(store.GetLedColor(4, second), 0x00FF00u) << "the other profile keeps its own";
    editor.SendSnapshot();
    EXPECT_EQ(keyboard.Take(), (std::vector<Call>{Lighting(50, 0x0000FF, 3, kLightingAll), Feature(false)}));

    // The keyboard went on to another profile meanwhile: only the switch goes back.
    SyncedStateOf(&store)->activeProfile = kSecond;
    editor.SendSnapshot();
    EXPECT_EQ(keyboard.Take(), std::vector<Call>{Feature(false)});
}

TEST_F(LogoLight, WithoutAnActiveProfileOrASnapshotNothingHappens) {
    CKespaConfig empty(L"Z:\\nonexistent\\");
    CLightingEditor bare(empty, keyboard);
    bare.ChooseSteady();
    bare.ChooseColour(1);
    bare.ReleaseBrightness(50);
    bare.ApplyLighting();
    EXPECT_FALSE(bare.Capture().valid);
    bare.SendSnapshot();
    bare.RestoreSnapshot();
    EXPECT_TRUE(keyboard.Take().empty());
}

}  // namespace

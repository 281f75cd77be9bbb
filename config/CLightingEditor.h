#pragma once
// The lighting that the main dialog edits, apart from any window: the logo
// light of the active profile (LED index 4: a steady colour or spectrum
// cycling, its colour, its brightness in four steps) and the keyboard-wide
// on/off feature.  Each change goes into the store and, at once, to the
// keyboard; Apply writes it for good.  The snapshot is what the keyboard
// showed when the dialog opened or after the last write that succeeded:
// every way of cancelling puts it back.
//
// A lighting change goes to the keyboard only while the dialog's active
// profile is the keyboard's active profile: the keyboard shows its own
// profile's lighting, and another profile's there would belong to neither
// and would not be undone by Cancel.

#include "model/device/IKeyboardLighting.h"
#include "model/store/IKeyboardConfig.h"

#include <windows.h>

#include <cstdint>

// What the keyboard showed: the logo light of one profile and the on/off value.
struct LightingSnapshot {
    bool valid = false;
    GUID profile = GUID_NULL;
    uint32_t effect = 0;
    uint32_t colour = 0;
    uint32_t brightness = 0;
    uint8_t onOff = 0;
};

class CLightingEditor {
public:
    // The store's index of the logo light (the keyboard's LED id 5).
    static constexpr int32_t kLogoLed = 4;
    static constexpr uint32_t kSteady = 0;
    static constexpr uint32_t kSpectrum = 5;

    // The brightness stored for a slider position (1..100): 0, 20, 50, 100.
    static uint32_t BrightnessAt(int position);
    // Where the slider shows a stored brightness: 0, 29, 62 or 100.
    static int PositionOf(uint32_t brightness);
    // Where the slider rests once let go at a position.
    static int SnapPosition(int position) { return PositionOf(BrightnessAt(position)); }
    // The language key of a position's step: "$Off", "$Dim", "$Normal", "$Bright".
    static const wchar_t* StepNameAt(int position);

    CLightingEditor(IKeyboardConfig& store, IKeyboardLighting& keyboard) : m_store(store), m_keyboard(keyboard) {}

    // Whether the keyboard shows the lighting of the dialog's active profile
    // (the store's record of the keyboard names it as active).
    bool KeyboardShowsActiveProfile() const;

    bool IsSteady() const { return Effect() == kSteady; }
    uint32_t Effect() const;
    uint32_t Colour() const;
    uint32_t Brightness() const;
    bool IsOn() const { return m_store.GetOnOffFeature() != 0; }

    // A steady light of the profile's colour.
    void ChooseSteady();
    // Spectrum cycling.
    void ChooseSpectrum();
    // A colour chosen for good; it shows while the light is steady.
    void ChooseColour(uint32_t colour);
    // A colour the palette passes over: shown while the light is steady,
    // never stored.
    void PreviewColour(uint32_t colour);
    // The palette closed: the keyboard shows the stored colour again.
    void EndPreview();
    // The slider moving and let go; the release gives where it rests.
    void MoveBrightness(int position);
    int ReleaseBrightness(int position);
    // The on/off feature, stored and sent at once.
    void SetOnOff(bool on);

    // The whole logo light of the active profile to the keyboard.
    void ApplyLighting();

    // What the keyboard shows now, as far as the store knows it.
    LightingSnapshot Capture() const;
    void SetSnapshot(const LightingSnapshot& snapshot) { m_snapshot = snapshot; }
    // The snapshot back into the store, into the profile it was taken of.
    void RestoreSnapshot();
    // The snapshot back onto the keyboard: the lighting, when the keyboard
    // still shows the profile it was taken of, and the on/off feature.
    void SendSnapshot();

private:
    IKeyboardProfile* Active() const { return m_store.GetActiveProfile(); }
    // To the keyboard, while it shows the active profile.
    void Show(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags);

    IKeyboardConfig& m_store;
    IKeyboardLighting& m_keyboard;
    LightingSnapshot m_snapshot;
};

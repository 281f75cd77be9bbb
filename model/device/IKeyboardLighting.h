#pragma once
// The two calls that change the keyboard's lighting at once, without a
// write: how the lighting page shows a change before Apply, and how Cancel
// puts the keyboard back.  Nothing is reported; what did not reach the
// keyboard is written by the next Apply.

#include <cstdint>

class IKeyboardLighting {
public:
    virtual ~IKeyboardLighting() = default;

    // Every LED with id 5 of the keyboard's active profile; flags name the
    // parts sent (kLightingColour, kLightingBrightness, kLightingEffect).
    virtual void SetLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) = 0;
    // The keyboard-wide on/off feature.
    virtual void SetFeature(bool on) = 0;
};

#pragma once
// The lighting of one LED index of a profile.

#include <cstdint>

struct LedSetting {
    uint8_t enabled = 0;
    uint32_t color = 0;   // handed unchanged to the keyboard service
    uint32_t effect = 0;  // 0 steady, 5 the effect the lighting page switches on
    uint32_t brightness = 100;
};

constexpr uint32_t kMaxLedBrightness = 100;
constexpr uint32_t kLedEffectOn = 5;

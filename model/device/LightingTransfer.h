#pragma once
// Lighting of each profile (capability 5), the version texts (capability 6),
// the on/off feature (capability 17), the optional-feature probe, and the
// two direct calls that change the keyboard at once, without a transfer.

#include "model/store/IKeyboardConfig.h"
#include "model/store/IKeyboardProfile.h"
#include "platform/CString.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <vector>

// LED ids 1 to 11 are the store's LED indexes 0 to 10; any other id is -1.
int32_t LedIndexFromId(uint32_t ledId) noexcept;
// Effects 1 to 5 go to and come from the keyboard as they are, others as 0.
uint32_t MapLedEffect(uint32_t effect) noexcept;
// "%d.%02d" of a version pair.
CString FormatVersion(uint32_t major, uint32_t minor);

// The settings of these LED indexes of the profile, each LED whole.
bool WriteLighting(IDeviceProfile* device, IKeyboardConfig* config, IKeyboardProfile* profile,
                   const std::vector<int32_t>& leds);
bool ReadLighting(IDeviceProfile* device, IKeyboardConfig* config, IKeyboardProfile* profile);

// Text 1 from the first version pair (the firmware), text 2 from the second;
// a text whose read fails is "0.00".  True when both reads succeeded.
bool ReadVersionTexts(IDevice* device, CString& text1, CString& text2);

bool WriteOnOffFeature(IDevice* device, IKeyboardConfig* config);
bool ReadOnOffFeature(IDevice* device, IKeyboardConfig* config);
bool ReadOptionalFeature(IDevice* device);

// The parts of SetDeviceLighting's flags.
constexpr uint32_t kLightingColour = 0x1;
constexpr uint32_t kLightingBrightness = 0x2;
constexpr uint32_t kLightingEffect = 0x4;
constexpr uint32_t kLightingAll = kLightingColour | kLightingBrightness | kLightingEffect;

// Lighting of every LED with id 5 of the keyboard's active profile: flags
// bit 0 colour, bit 1 brightness, bit 2 effect (MapLedEffect).  Nothing is
// reported.
void SetDeviceLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags);
void SetDeviceFeature(bool on);

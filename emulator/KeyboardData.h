#pragma once
// Everything the emulated keyboard remembers, as plain values.  The state
// file, the profile and macro files and the state dump are written from
// these records.

#include "service/ServiceInterfaces.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct LedState {
    uint32_t id = 0;
    bool on = true;
    uint32_t color = 0xFF0000;
    uint32_t brightness = 100;
    uint32_t effect = 0;
    uint32_t timeOnMs = 0;
    uint32_t timeOffMs = 0;
};

struct ProfileState {
    GUID guid = GUID_NULL;
    std::wstring name;
    // Property 0x80000002: the linked program's file name.
    std::wstring linkedProgram;
    // Property 0x80000003: bit 0 automatic switching, bit 1 option 2, bit 2
    // on-screen display.
    uint16_t options = 0;
    // One record per key of CKeyTable's key list, in its order.
    std::vector<DeviceKeyRecord> keys;
    // LED ids 1 to 11 at indexes 0 to 10.
    std::array<LedState, kLedCount> leds;
};

struct MacroState {
    GUID guid = GUID_NULL;
    std::wstring name;
    std::vector<MacroStepsBlockStep> steps;
};

struct ApplicationState {
    GUID guid = GUID_NULL;
    std::wstring path;
};

struct KeyboardData {
    bool present = true;
    uint32_t vendorId = KEYBOARD_VENDOR_ID;
    uint32_t productId = KEYBOARD_PRODUCT_ID;
    uint32_t firstVersionMajor = 1;   // the firmware
    uint32_t firstVersionMinor = 2;
    uint32_t secondVersionMajor = 1;
    uint32_t secondVersionMinor = 0;
    int32_t layoutCode = 0;
    uint32_t deviceMode = 1;
    uint32_t onOff = 0;
    uint8_t optionalFeature = 1;
    GUID activeProfile = GUID_NULL;
    std::vector<ProfileState> profiles;
    std::vector<MacroState> macros;
    std::vector<ApplicationState> applications;
};

// A profile as the keyboard makes it: every key sends its own scan code, all
// LEDs on.  Its GUID is fresh.
ProfileState MakeDefaultProfile(const std::wstring& name);
// The keyboard as it leaves the factory: three profiles, the first active.
KeyboardData MakeFactoryKeyboard();

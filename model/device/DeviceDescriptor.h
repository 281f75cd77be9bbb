#pragma once
// The one keyboard this program serves: its product id, the capabilities
// the transfer engine copies for it, and its name.

#include <cstdint>

enum DeviceCapability : uint32_t {
    CapabilityProfiles = 1,
    CapabilityKeyAssignments = 3,
    CapabilityMacros = 4,
    CapabilityLighting = 5,
    CapabilityVersions = 6,
    CapabilityProfileOptions = 7,
    CapabilityApplications = 8,
    // Further store data that this keyboard does not list: the store's
    // type-65 key records and APM entries, its range of two integers, and
    // its three level values.
    CapabilityFeature9 = 9,
    CapabilityFeature14 = 14,
    CapabilityFeature15 = 15,
    CapabilityOnOff = 17,
};

// Mask bits of the transfer steps.
constexpr uint32_t kMaskKeyAssignments = 0x2;
constexpr uint32_t kMaskLighting = 0x4;
constexpr uint32_t kMaskMacros = 0x10;
constexpr uint32_t kMaskProfileOptions = 0x100;
constexpr uint32_t kMaskApplications = 0x200;
constexpr uint32_t kMaskOnOff = 0x2000;
// Any of these lets the profile read run, and the write set the active profile.
constexpr uint32_t kMaskProfiles = 0x30F;
// Masks of the callers: the first read, and writing and re-reading.
constexpr uint32_t kMaskFirstRead = 0x231F;
constexpr uint32_t kMaskAll = 0x2FFF;

struct DeviceDescriptor {
    uint32_t productId;
    const uint32_t* capabilities;
    uint32_t capabilityCount;
    const wchar_t* displayName;
    uint32_t reserved;

    bool Has(uint32_t capability) const noexcept {
        for (uint32_t i = 0; i < capabilityCount; ++i)
            if (capabilities[i] == capability)
                return true;
        return false;
    }
};

extern const DeviceDescriptor kKeyboardDescriptor;

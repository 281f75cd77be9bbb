#pragma once
// Which key a device key code names.  The keyboard reports its keys by its
// own ids; the key definitions, loaded after the store exists, know which key
// identifier each one is, so the map is reached through one process-wide
// pointer that the definitions set once loaded.

#include <cstdint>

class IDeviceKeyMap {
public:
    // Key identifier of the key whose default code and flag are the low 16
    // and next 8 bits of deviceKeyCode; 0 when no key has them.
    virtual int32_t FindKey(uint32_t deviceKeyCode) const = 0;

protected:
    ~IDeviceKeyMap() = default;
};

// The map stays owned by the caller; null means no map.
void SetDeviceKeyMap(const IDeviceKeyMap* map) noexcept;
const IDeviceKeyMap* GetDeviceKeyMap() noexcept;
// 0 for every code while no map is set.
int32_t FindDeviceKey(uint32_t deviceKeyCode) noexcept;

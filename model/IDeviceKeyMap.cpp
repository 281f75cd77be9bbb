#include "model/IDeviceKeyMap.h"

#include <atomic>

namespace {
// The transfer worker reads the map while the user-interface thread may set it.
std::atomic<const IDeviceKeyMap*> g_deviceKeyMap{nullptr};
}

void SetDeviceKeyMap(const IDeviceKeyMap* map) noexcept { g_deviceKeyMap.store(map); }

const IDeviceKeyMap* GetDeviceKeyMap() noexcept { return g_deviceKeyMap.load(); }

int32_t FindDeviceKey(uint32_t deviceKeyCode) noexcept {
    const IDeviceKeyMap* map = g_deviceKeyMap.load();
    return map ? map->FindKey(deviceKeyCode) : 0;
}

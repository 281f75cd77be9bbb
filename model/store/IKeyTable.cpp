#include "model/store/IKeyTable.h"

#include <atomic>

namespace {
// The transfer worker reads the table while the user-interface thread may set it.
std::atomic<const IKeyTable*> g_keyTable{nullptr};
}

void SetKeyTable(const IKeyTable* table) noexcept { g_keyTable.store(table); }

const IKeyTable* GetKeyTable() noexcept { return g_keyTable.load(); }

uint32_t LookUpKeyTable(int32_t keyId) noexcept {
    const IKeyTable* table = g_keyTable.load();
    return table ? table->GetKeyTableValue(keyId) : 0;
}

int32_t FindDeviceKey(uint32_t deviceKeyCode) noexcept {
    const IKeyTable* table = g_keyTable.load();
    return table ? table->FindKey(deviceKeyCode) : 0;
}

int32_t HashKeyName(const wchar_t* name) noexcept {
    uint32_t h = 5381;
    if (name)
        for (const wchar_t* p = name; *p; ++p)
            h = h * 33 + static_cast<uint16_t>(*p);
    return static_cast<int32_t>(h);
}

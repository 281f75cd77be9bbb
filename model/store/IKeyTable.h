#pragma once
// The key defaults that profiles and the store build type-0 assignments from,
// and the key each device key code names.  The key definitions that own them
// are loaded after the store exists, so the table is reached through one
// process-wide pointer that is set once loaded.

#include <cstdint>

class IKeyTable {
public:
    // code | flag << 16 for a key identifier; 0 for a key without an entry.
    virtual uint32_t GetKeyTableValue(int32_t keyId) const = 0;
    // Key identifier of the key whose default code and flag are the low 16
    // and next 8 bits of deviceKeyCode; 0 when no key has them.
    virtual int32_t FindKey(uint32_t deviceKeyCode) const = 0;

protected:
    ~IKeyTable() = default;
};

// The table stays owned by the caller; null means no table.
void SetKeyTable(const IKeyTable* table) noexcept;
const IKeyTable* GetKeyTable() noexcept;
// The table's value of a key, 0 for every key while no table is set.
uint32_t LookUpKeyTable(int32_t keyId) noexcept;
// The key a device key code names; 0 for every code while no table is set.
int32_t FindDeviceKey(uint32_t deviceKeyCode) noexcept;

// Key identifier of a key name: h = 5381, then h = h * 33 + unit with 32-bit
// wrap-around over the name's UTF-16 units.
int32_t HashKeyName(const wchar_t* name) noexcept;

#pragma once
// The keyboard's keys, compiled in from skin/KeyTable.txt, the table the key
// definitions of the skin are generated from as well.

#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <vector>

struct KeyTableEntry {
    const wchar_t* symbol;
    const wchar_t* name;
    uint16_t scanCode;
    bool extended;
};

class CKeyTable {
public:
    static const CKeyTable& Instance();

    // Every row of the table, in table order.
    const std::vector<KeyTableEntry>& Rows() const noexcept { return m_rows; }

    // The keys the keyboard reports, one per key id, in table order.
    size_t KeyCount() const noexcept { return m_keys.size(); }
    const KeyTableEntry& KeyAt(size_t index) const { return m_rows[m_keys[index]]; }
    uint32_t KeyIdAt(size_t index) const { return KeyIdOf(KeyAt(index)); }
    // Index into the key list, -1 when the keyboard has no key with that id.
    int IndexOfKeyId(uint32_t keyId) const noexcept;
    // Index into the key list of the key with that name or symbol (ignoring
    // case), -1 when none.
    int IndexOfName(const wchar_t* name) const noexcept;

    // Scan code in the low 16 bits; 2 in the high 16 bits for an extended key.
    static uint32_t KeyIdOf(const KeyTableEntry& key) noexcept {
        return key.scanCode | (key.extended ? 0x20000u : 0u);
    }
    // What a key does on a factory keyboard: it sends its own scan code
    // (action type 5, the extended flag as modifier bit 0).
    DeviceKeyRecord DefaultRecord(size_t index) const;

private:
    CKeyTable();
    std::vector<KeyTableEntry> m_rows;
    std::vector<size_t> m_keys;  // row of each reported key
};

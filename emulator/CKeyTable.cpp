#include "emulator/CKeyTable.h"

#include "platform/CString.h"

#include <cstring>

static const KeyTableEntry kRows[] = {
#include "KeyTableRows.inc"
};

const CKeyTable& CKeyTable::Instance() {
    static const CKeyTable table;
    return table;
}

CKeyTable::CKeyTable() : m_rows(std::begin(kRows), std::end(kRows)) {
    for (size_t row = 0; row < m_rows.size(); ++row) {
        uint32_t id = KeyIdOf(m_rows[row]);
        bool taken = false;
        for (size_t key : m_keys)
            taken = taken || KeyIdOf(m_rows[key]) == id;
        if (!taken)
            m_keys.push_back(row);
    }
}

int CKeyTable::IndexOfKeyId(uint32_t keyId) const noexcept {
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (KeyIdAt(i) == keyId)
            return static_cast<int>(i);
    return -1;
}

int CKeyTable::IndexOfName(const wchar_t* name) const noexcept {
    if (!name)
        return -1;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const KeyTableEntry& key = KeyAt(i);
        if (CompareNoCase(key.name, name) == 0 || CompareNoCase(key.symbol, name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

DeviceKeyRecord CKeyTable::DefaultRecord(size_t index) const {
    DeviceKeyRecord record;
    std::memset(&record, 0, sizeof record);
    const KeyTableEntry& key = KeyAt(index);
    record.header = 1;
    record.keyId = KeyIdOf(key);
    record.actionType = 5;
    record.data[0] = static_cast<BYTE>(key.scanCode & 0xFF);
    record.data[1] = static_cast<BYTE>(key.scanCode >> 8);
    // +14 holds the flags; bits 24-27 are the modifier bits, byte +17.
    if (key.extended)
        record.data[5] = 0x01;
    return record;
}

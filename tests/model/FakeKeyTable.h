#pragma once
// A key table of chosen values, installed process-wide for one test.

#include "model/store/IKeyTable.h"

#include <map>

class FakeKeyTable : public IKeyTable {
public:
    FakeKeyTable(std::initializer_list<std::pair<const int32_t, uint32_t>> values) : m_values(values) {
        SetKeyTable(this);
    }
    ~FakeKeyTable() { SetKeyTable(nullptr); }
    FakeKeyTable(const FakeKeyTable&) = delete;
    FakeKeyTable& operator=(const FakeKeyTable&) = delete;

    uint32_t GetKeyTableValue(int32_t keyId) const override {
        auto it = m_values.find(keyId);
        return it == m_values.end() ? 0 : it->second;
    }
    int32_t FindKey(uint32_t deviceKeyCode) const override {
        for (const auto& [key, value] : m_values)
            if (value == (deviceKeyCode & 0xFFFFFF))
                return key;
        return 0;
    }

private:
    std::map<int32_t, uint32_t> m_values;
};

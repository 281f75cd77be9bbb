#pragma once
// A key table of chosen values, installed process-wide for one test.

#include "model/IKeyTable.h"

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

private:
    std::map<int32_t, uint32_t> m_values;
};

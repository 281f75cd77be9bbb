#include "tests/gui/KeyFiles.h"

void PutKeyFile32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutKeyRecord(std::vector<uint8_t>& out, const KeyFileKey& key, uint32_t nameBytesField) {
    PutKeyFile32(out, nameBytesField);
    for (wchar_t c : key.name) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    out.insert(out.end(), {0x34, 0x12, 0xFE, 0xFF});
    for (int block = 0; block < 4; ++block)
        for (int e = 0; e < 10; ++e) {
            uint16_t code = 0;
            uint8_t flag = 0;
            if (block == 0 && e < static_cast<int>(key.block0.size())) {
                code = key.block0[e].first;
                flag = key.block0[e].second;
            }
            out.insert(out.end(), {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8), flag, 0});
        }
}

std::vector<uint8_t> DefinitionFile(const std::vector<KeyFileKey>& keys, uint32_t count) {
    std::vector<uint8_t> out;
    PutKeyFile32(out, count);
    for (const KeyFileKey& key : keys)
        PutKeyRecord(out, key, static_cast<uint32_t>(key.name.size() * 2));
    return out;
}

std::vector<uint8_t> DefinitionFile(const std::vector<KeyFileKey>& keys) {
    return DefinitionFile(keys, static_cast<uint32_t>(keys.size()));
}

std::vector<uint8_t> DefaultsFile(const std::vector<std::pair<int32_t, uint32_t>>& pairs) {
    std::vector<uint8_t> out;
    PutKeyFile32(out, static_cast<uint32_t>(pairs.size()));
    for (const auto& p : pairs) {
        PutKeyFile32(out, static_cast<uint32_t>(p.first));
        PutKeyFile32(out, p.second);
    }
    return out;
}

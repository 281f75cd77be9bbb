#pragma once
// Key-definition and key-defaults files built byte by byte, so a test can
// cut, bend or overfill them.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Block 0's entries {code, flag}; the rest of the block and the other three
// blocks are zero.
using KeyBlock = std::vector<std::pair<uint16_t, uint8_t>>;

struct KeyFileKey {
    std::wstring name;
    KeyBlock block0;
};

void PutKeyFile32(std::vector<uint8_t>& out, uint32_t value);
// One record whose name length field says nameBytesField (valueA 0x1234,
// valueB -2).
void PutKeyRecord(std::vector<uint8_t>& out, const KeyFileKey& key, uint32_t nameBytesField);
std::vector<uint8_t> DefinitionFile(const std::vector<KeyFileKey>& keys, uint32_t count);
std::vector<uint8_t> DefinitionFile(const std::vector<KeyFileKey>& keys);
std::vector<uint8_t> DefaultsFile(const std::vector<std::pair<int32_t, uint32_t>>& pairs);

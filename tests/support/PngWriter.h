#pragma once
// Writes 24-bit pictures as PNG files (stored deflate blocks: no compression
// library is needed, and any viewer reads them).

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width*height*3 bytes, rows top-down, each pixel R, G, B.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb);
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

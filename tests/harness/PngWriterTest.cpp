#include "tests/support/PngWriter.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

TEST(PngWriter, CrcMatchesTheStandardCheckValue) {
    const char* text = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text), 9), 0xCBF43926u);
}

TEST(PngWriter, WritesSignatureAndRefusesWrongSizes) {
    std::wstring path = ArtifactPath(L"png-writer-check.png");
    std::vector<uint8_t> rgb(4 * 3 * 3, 0x80);
    ASSERT_TRUE(WritePng(path, 4, 3, rgb));
    FILE* f = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[8] = {};
    EXPECT_EQ(fread(head, 1, 8, f), 8u);
    fclose(f);
    EXPECT_EQ(head[0], 0x89);
    EXPECT_EQ(head[1], 'P');
    EXPECT_FALSE(WritePng(path, 4, 4, rgb));
    EXPECT_FALSE(WritePng(path, 0, 3, {}));
    DeleteFileW(path.c_str());
}

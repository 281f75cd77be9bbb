#include "service/ServiceText.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>
#include <vector>

namespace {

BYTE* Block(const std::vector<BYTE>& bytes) {
    BYTE* block = static_cast<BYTE*>(CoTaskMemAlloc(bytes.empty() ? 1 : bytes.size()));
    if (!bytes.empty())
        std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

TEST(ServiceText, RoundTripsThroughABlockWithItsTerminator) {
    ULONG cb = 0;
    BYTE* block = nullptr;
    ASSERT_HRESULT_SUCCEEDED(AllocServiceText(L"Profile \u00E9", &cb, &block));
    EXPECT_EQ(cb, 20u);
    CString text;
    EXPECT_TRUE(TakeServiceText(cb, block, text));
    EXPECT_EQ(text, L"Profile \u00E9");
    EXPECT_EQ(AllocServiceText(L"x", nullptr, &block), E_POINTER);
}

// A block the client cannot trust yields no text, and is freed all the same
// (the allocator in a debug run would report a leak otherwise).
TEST(ServiceText, RefusesBlocksWhoseSizeDoesNotHoldATerminatedText) {
    const struct {
        const char* what;
        std::vector<BYTE> bytes;
        ULONG cb;
    } cases[] = {
        {"an odd size", {'a', 0, 0}, 3},
        {"no terminator at the end", {'a', 0, 'b', 0}, 4},
        {"a size of 0", {0, 0}, 0},
        {"a size larger than the text says", {'a', 0, 0, 0, 'b', 0}, 6},
    };
    for (const auto& c : cases) {
        CString text = L"unchanged";
        EXPECT_FALSE(TakeServiceText(c.cb, Block(c.bytes), text)) << c.what;
        EXPECT_EQ(text, L"unchanged") << c.what;
    }
    CString text;
    EXPECT_FALSE(TakeServiceText(2, nullptr, text));
}

}  // namespace

#include "emulator/CKeyTable.h"

#include "platform/CString.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The table is data typed by hand; these are the mistakes it can hide.
TEST(KeyTable, HoldsEveryKeyOfTheKeyboardPictureOnce) {
    const CKeyTable& table = CKeyTable::Instance();
    const auto& rows = table.Rows();
    ASSERT_EQ(rows.size(), 122u);  // BUTTON_KB_ESC to BUTTON_KB_INTL5_MUHENKAN
    EXPECT_STREQ(rows.front().symbol, L"BUTTON_KB_ESC");
    EXPECT_STREQ(rows.back().symbol, L"BUTTON_KB_INTL5_MUHENKAN");
    std::set<std::wstring> symbols, names;
    for (const KeyTableEntry& row : rows) {
        EXPECT_TRUE(symbols.insert(row.symbol).second) << CString(row.symbol).ToUtf8();
        CString folded(row.name);
        folded.MakeLower();
        EXPECT_TRUE(names.insert(folded.ToStdWString()).second) << CString(row.name).ToUtf8();
        EXPECT_NE(row.scanCode, 0) << CString(row.name).ToUtf8();
    }
}

TEST(KeyTable, KeyboardReportsEachScanCodeOnce) {
    const CKeyTable& table = CKeyTable::Instance();
    std::set<uint32_t> ids;
    for (size_t i = 0; i < table.KeyCount(); ++i)
        EXPECT_TRUE(ids.insert(table.KeyIdAt(i)).second) << CString(table.KeyAt(i).name).ToUtf8();
    // Only the ISO key beside Enter shares its code (0x2B) with a key above it.
    EXPECT_EQ(table.KeyCount(), table.Rows().size() - 1);
    EXPECT_LT(table.IndexOfName(L"Europe 1"), 0);
    EXPECT_GE(table.IndexOfName(L"Backslash"), 0);

    // The two keys the programs know by name tell 0x45 apart by the extended flag.
    int pause = table.IndexOfName(L"pause");
    int numLock = table.IndexOfName(L"Num Lock");
    ASSERT_GE(pause, 0);
    ASSERT_GE(numLock, 0);
    EXPECT_EQ(table.KeyIdAt(static_cast<size_t>(pause)), 0x20045u);
    EXPECT_EQ(table.KeyIdAt(static_cast<size_t>(numLock)), 0x45u);
    EXPECT_EQ(table.IndexOfName(L"BUTTON_KB_NUMLK"), numLock);
    EXPECT_EQ(table.IndexOfKeyId(0x20045), pause);
    EXPECT_EQ(table.IndexOfKeyId(0x40045), -1);
}

}  // namespace

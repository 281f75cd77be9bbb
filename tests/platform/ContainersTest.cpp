#include "platform/CStringArray.h"
#include "platform/Guid.h"

#include <gtest/gtest.h>

#include <map>

TEST(CStringArray, IndexedAccessAndBounds) {
    CStringArray a;
    a.Add(L"$cut");
    a.Add(L"$copy");
    a.InsertAt(1, L"$paste");
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_STREQ(a[1], L"$paste");
    EXPECT_EQ(a.Find(L"$COPY", true), 2);
    EXPECT_EQ(a.Find(L"$COPY"), -1);
    a.RemoveAt(0);
    EXPECT_STREQ(a.GetAt(0), L"$paste");
    EXPECT_TRUE(a.GetAt(5).IsEmpty());
    a.RemoveAt(7);
    EXPECT_EQ(a.GetSize(), 2);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Guid, TextFormsRoundTripAndBadTextIsRefused) {
    GUID g = NewGuid();
    EXPECT_FALSE(IsNullGuid(g));
    CString text = GuidToString(g);
    EXPECT_EQ(text.GetLength(), 38);
    GUID back = GUID_NULL;
    ASSERT_TRUE(GuidFromString(text, back));
    EXPECT_EQ(back, g);
    ASSERT_TRUE(GuidFromString(text.Mid(1, 36), back));
    EXPECT_EQ(back, g);

    GUID untouched = g;
    for (const wchar_t* bad : {L"", L"{}", L"{0000000-0000-0000-0000-000000000000}",
                               L"{g0000000-0000-0000-0000-000000000000}",
                               L"{00000000-0000-0000-0000-000000000000"}) {
        EXPECT_FALSE(GuidFromString(bad, untouched)) << CString(bad).ToUtf8();
        EXPECT_EQ(untouched, g);
    }
    EXPECT_FALSE(GuidFromString(nullptr, untouched));

    GUID parsed;
    ASSERT_TRUE(GuidFromString(L"{01234567-89AB-CDEF-0123-456789abcdef}", parsed));
    EXPECT_EQ(parsed.Data1, 0x01234567u);
    EXPECT_EQ(parsed.Data2, 0x89AB);
    EXPECT_EQ(parsed.Data4[7], 0xEF);
}

TEST(Guid, WordsRoundTripAndOrderingIsStrict) {
    GUID g = NewGuid();
    uint32_t words[4];
    GuidToWords(g, words);
    EXPECT_EQ(GuidFromWords(words), g);

    std::map<GUID, int, GuidLess> m;
    GUID h = NewGuid();
    m[g] = 1;
    m[h] = 2;
    m[g] = 3;
    EXPECT_EQ(m.size(), 2u);
    EXPECT_EQ(m[g], 3);
}

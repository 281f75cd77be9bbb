#include "platform/CString.h"

#include <gtest/gtest.h>

TEST(CString, CopiesShareUntilOneChanges) {
    CString a(L"profile");
    CString b = a;
    EXPECT_EQ(a.GetString(), b.GetString());
    EXPECT_EQ(a.GetRefCount(), 2);
    b += L" 2";
    EXPECT_STREQ(a, L"profile");
    EXPECT_STREQ(b, L"profile 2");
    EXPECT_EQ(a.GetRefCount(), 1);

    CString c = a;
    c.MakeUpper();
    EXPECT_STREQ(a, L"profile");
    EXPECT_STREQ(c, L"PROFILE");
}

TEST(CString, SelfAppendAndAppendFromOwnBuffer) {
    CString s(L"ab");
    s += s;
    EXPECT_STREQ(s, L"abab");
    s += s.GetString() + 1;
    EXPECT_STREQ(s, L"ababbab");
}

TEST(CString, FormatUsesWideSemanticsOfTheFormats) {
    struct Case { CString got; const wchar_t* want; };
    auto fmt = [](const wchar_t* f, auto... args) { CString s; s.Format(f, args...); return s; };
    const Case cases[] = {
        {fmt(L"%s%s", L"C:\\app\\", L"save\\"), L"C:\\app\\save\\"},
        {fmt(L"%s%s%s.%s", L"C:\\a\\", L"save\\", L"Kespa", L"vqc"), L"C:\\a\\save\\Kespa.vqc"},
        {fmt(L"%d.%d.%d.%d", 1, 0, 12, 300), L"1.0.12.300"},
        {fmt(L"%d.%02d", 2, 5), L"2.05"},
        {fmt(L"%d%%", 75), L"75%"},
        {fmt(L"%.3f %s", 1.5, L"s"), L"1.500 s"},
        {fmt(L"%.2f", 0.125), L"0.13"},
        {fmt(L"%08lX", 0xBEEFUL), L"0000BEEF"},
        {fmt(L"%s(%d)", L"name", -3), L"name(-3)"},
        {fmt(L"%S", "narrow"), L"narrow"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.got, c.want);

    CString long_;
    long_.Format(L"%s", CString(L'x', 5000).GetString());
    EXPECT_EQ(long_.GetLength(), 5000);
    long_.AppendFormat(L"-%d", 7);
    EXPECT_EQ(long_.Right(2), L"-7");
}

TEST(CString, CaseInsensitiveComparisonCoversNonAsciiLetters) {
    EXPECT_EQ(CString(L"Macro 1").CompareNoCase(L"MACRO 1"), 0);
    EXPECT_EQ(CString(L"\x00C4rger").CompareNoCase(L"\x00E4RGER"), 0);  // Ärger / äRGER
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"b").CompareNoCase(L"A"), 0);
    EXPECT_NE(CString(L"Game"), CString(L"game"));
    EXPECT_EQ(CString(L"Game").CompareNoCase(nullptr), 1);
}

TEST(CString, FindTrimAndSubstrings) {
    CString s(L"  C:\\Games\\play.exe \t");
    s.Trim();
    EXPECT_STREQ(s, L"C:\\Games\\play.exe");
    EXPECT_EQ(s.ReverseFind(L'\\'), 8);
    EXPECT_STREQ(s.Mid(9), L"play.exe");
    EXPECT_STREQ(s.Left(2), L"C:");
    EXPECT_STREQ(s.Right(3), L"exe");
    EXPECT_EQ(s.Find(L"play"), 9);
    EXPECT_EQ(s.Find(L"none"), -1);
    EXPECT_EQ(s.Find(L'x', 100), -1);
    EXPECT_STREQ(s.Mid(100), L"");
    EXPECT_STREQ(s.Mid(-5, 2), L"C:");
    EXPECT_STREQ(s.Left(-1), L"");
    EXPECT_STREQ(CString(L"\\\\x\\").TrimRight(L'\\'), L"\\\\x");
    EXPECT_STREQ(CString(L"--a--").Trim(L"-"), L"a");
}

TEST(CString, EditingOperations) {
    CString s(L"a.b.c");
    EXPECT_EQ(s.Replace(L'.', L'/'), 2);
    EXPECT_STREQ(s, L"a/b/c");
    EXPECT_EQ(s.Replace(L"/", L"::"), 2);
    EXPECT_STREQ(s, L"a::b::c");
    EXPECT_EQ(s.Remove(L':'), 4);
    EXPECT_STREQ(s, L"abc");
    s.Insert(1, L"XY");
    EXPECT_STREQ(s, L"aXYbc");
    s.Delete(1, 10);
    EXPECT_STREQ(s, L"a");
    EXPECT_STREQ(CString(L"abc").MakeReverse(), L"cba");

    int pos = 0;
    CString list(L";one;;two");
    EXPECT_STREQ(list.Tokenize(L";", pos), L"one");
    EXPECT_STREQ(list.Tokenize(L";", pos), L"two");
    list.Tokenize(L";", pos);
    EXPECT_EQ(pos, -1);
}

TEST(CString, BufferAccessKeepsLengthWithinTheBuffer) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);

    // A buffer filled to its end without a terminator must not be read past.
    p = s.GetBuffer(4);
    int cap = 4;
    (void)cap;
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, L"hel");

    CString shared(L"keep");
    CString other = shared;
    wchar_t* q = other.GetBuffer();
    q[0] = L'K';
    other.ReleaseBuffer();
    EXPECT_STREQ(shared, L"keep");
    EXPECT_STREQ(other, L"Keep");

    EXPECT_EQ(s.GetAt(99), 0);
    s.SetAt(-1, L'x');
    EXPECT_STREQ(s, L"hel");
}

TEST(CString, Utf8RoundTrip) {
    CString s(L"Gr\x00FC\x00DF \x4E2D\xD83D\xDE00");
    std::string u = s.ToUtf8();
    EXPECT_EQ(u, "Gr\xC3\xBC\xC3\x9F \xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(CString::FromUtf8(u), s);
    EXPECT_TRUE(CString::FromUtf8(nullptr).IsEmpty());
    EXPECT_STREQ(CString::FromUtf8("abc", 2), L"ab");
}

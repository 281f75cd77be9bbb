#pragma once
// Reference-counted UTF-16 string with the operations the programs use.
// Copies share one buffer until one of them is changed (copy on write).

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() noexcept;
    CString(const CString& other) noexcept;
    CString(CString&& other) noexcept;
    CString(const wchar_t* text);
    CString(const wchar_t* text, int length);
    explicit CString(wchar_t ch, int repeat = 1);
    explicit CString(const std::wstring& text);
    ~CString();

    CString& operator=(const CString& other) noexcept;
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t ch);

    int GetLength() const noexcept { return Data()->length; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty() noexcept;

    // Out-of-range indexes report and yield 0 rather than reading past the text.
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }

    operator const wchar_t*() const noexcept { return m_chars; }
    const wchar_t* GetString() const noexcept { return m_chars; }

    // A writable buffer of at least minLength units plus a terminator; the
    // length is settled by ReleaseBuffer (-1: up to the first terminator
    // within the buffer).
    wchar_t* GetBuffer(int minLength);
    wchar_t* GetBuffer() { return GetBuffer(GetLength()); }
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // printf-style formatting with the platform's wide semantics (%s is a
    // wide text, %S a narrow one).
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);

    int Compare(const wchar_t* other) const noexcept;
    int CompareNoCase(const wchar_t* other) const noexcept;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Find(wchar_t ch, int start = 0) const noexcept;
    int Find(const wchar_t* sub, int start = 0) const noexcept;
    int ReverseFind(wchar_t ch) const noexcept;
    int FindOneOf(const wchar_t* set) const noexcept;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(wchar_t ch);
    CString& TrimLeft(wchar_t ch);
    CString& TrimRight(wchar_t ch);
    CString& Trim(const wchar_t* set);
    CString& TrimLeft(const wchar_t* set);
    CString& TrimRight(const wchar_t* set);

    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    // Next token after 'start' separated by any of 'tokens'; start becomes -1
    // when no token is left.
    CString Tokenize(const wchar_t* tokens, int& start) const;

    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    std::string ToUtf8() const;
    std::wstring ToStdWString() const { return std::wstring(m_chars, GetLength()); }
    static CString FromUtf8(const char* text, int length = -1);
    static CString FromUtf8(const std::string& text) { return FromUtf8(text.data(), static_cast<int>(text.size())); }

    // How many owners share this buffer; for tests of the sharing rule.
    long GetRefCount() const noexcept;

    // The shared block in front of the characters.
    struct Header {
        std::atomic<long> refs;  // -1: the shared empty text, never freed
        int length;
        int capacity;            // units, not counting the terminator
        wchar_t* Chars() noexcept { return reinterpret_cast<wchar_t*>(this + 1); }
    };

private:
    Header* Data() const noexcept;
    void Assign(const wchar_t* text, int length);
    void Append(const wchar_t* text, int length);
    void MakeUnique(int minCapacity);
    void SetLength(int length);
    void Release() noexcept;

    wchar_t* m_chars;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);

inline bool operator==(const CString& a, const CString& b) { return a.GetLength() == b.GetLength() && a.Compare(b) == 0; }
inline bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
inline bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
inline bool operator!=(const wchar_t* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }

// Case-insensitive comparison of two texts by Unicode simple case folding,
// independent of the user's locale (names of profiles, macros, programs).
int CompareNoCase(const wchar_t* a, const wchar_t* b) noexcept;

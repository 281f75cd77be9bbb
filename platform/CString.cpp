#include "platform/CString.h"

#include "platform/Debug.h"

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>


namespace {

struct EmptyText {
    CString::Header* header() { return reinterpret_cast<CString::Header*>(storage); }
    alignas(CString::Header) unsigned char storage[sizeof(CString::Header) + sizeof(wchar_t) * 2];
};

}  // namespace

// Header is private; the empty block is laid out here once.
static CString::Header* EmptyHeader() noexcept {
    static EmptyText empty = [] {
        EmptyText e{};
        auto* h = new (e.storage) CString::Header;
        h->refs.store(-1);
        h->length = 0;
        h->capacity = 0;
        h->Chars()[0] = 0;
        return e;
    }();
    return empty.header();
}

static CString::Header* AllocHeader(int capacity) {
    if (capacity < 0 || capacity > (INT_MAX / 2 - 64))
        throw std::bad_alloc();
    size_t bytes = sizeof(CString::Header) + sizeof(wchar_t) * (static_cast<size_t>(capacity) + 1);
    void* mem = std::malloc(bytes);
    if (!mem)
        throw std::bad_alloc();
    auto* h = new (mem) CString::Header;
    h->refs.store(1);
    h->length = 0;
    h->capacity = capacity;
    h->Chars()[0] = 0;
    return h;
}

static int SafeLength(const wchar_t* text) noexcept {
    if (!text)
        return 0;
    size_t n = wcslen(text);
    return n > static_cast<size_t>(INT_MAX / 2 - 64) ? INT_MAX / 2 - 64 : static_cast<int>(n);
}

static bool IsSpace(wchar_t c) noexcept {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

int CompareNoCase(const wchar_t* a, const wchar_t* b) noexcept {
    if (!a) a = L"";
    if (!b) b = L"";
    int r = CompareStringOrdinal(a, -1, b, -1, TRUE);
    return r == 0 ? _wcsicmp(a, b) : r - CSTR_EQUAL;
}

CString::Header* CString::Data() const noexcept {
    return reinterpret_cast<Header*>(m_chars) - 1;
}

CString::CString() noexcept : m_chars(EmptyHeader()->Chars()) {}

CString::CString(const CString& other) noexcept : m_chars(other.m_chars) {
    Header* h = Data();
    if (h->refs.load() >= 0)
        h->refs.fetch_add(1);
}

CString::CString(CString&& other) noexcept : m_chars(other.m_chars) {
    other.m_chars = EmptyHeader()->Chars();
}

CString::CString(const wchar_t* text) : CString() { Assign(text, SafeLength(text)); }

CString::CString(const wchar_t* text, int length) : CString() {
    if (!text || length < 0)
        length = 0;
    Assign(text, length);
}

CString::CString(wchar_t ch, int repeat) : CString() {
    if (repeat <= 0)
        return;
    MakeUnique(repeat);
    wchar_t* p = Data()->Chars();
    for (int i = 0; i < repeat; ++i)
        p[i] = ch;
    SetLength(repeat);
}

CString::CString(const std::wstring& text) : CString() {
    Assign(text.data(), static_cast<int>(text.size()));
}

CString::~CString() { Release(); }

void CString::Release() noexcept {
    Header* h = Data();
    if (h->refs.load() >= 0 && h->refs.fetch_sub(1) == 1) {
        h->~Header();
        std::free(h);
    }
    m_chars = EmptyHeader()->Chars();
}

CString& CString::operator=(const CString& other) noexcept {
    if (m_chars != other.m_chars) {
        Header* h = other.Data();
        if (h->refs.load() >= 0)
            h->refs.fetch_add(1);
        Release();
        m_chars = other.m_chars;
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Release();
        m_chars = other.m_chars;
        other.m_chars = EmptyHeader()->Chars();
    }
    return *this;
}

CString& CString::operator=(const wchar_t* text) {
    Assign(text, SafeLength(text));
    return *this;
}

CString& CString::operator=(wchar_t ch) {
    Assign(&ch, 1);
    return *this;
}

void CString::Empty() noexcept { Release(); }

long CString::GetRefCount() const noexcept { return Data()->refs.load(); }

void CString::MakeUnique(int minCapacity) {
    Header* h = Data();
    if (h->refs.load() == 1 && h->capacity >= minCapacity)
        return;
    int capacity = minCapacity;
    if (h->refs.load() == 1 && capacity < h->capacity * 2)
        capacity = h->capacity * 2 < INT_MAX / 4 ? h->capacity * 2 : minCapacity;
    if (capacity < h->length)
        capacity = h->length;
    Header* n = AllocHeader(capacity);
    std::memcpy(n->Chars(), h->Chars(), sizeof(wchar_t) * (static_cast<size_t>(h->length) + 1));
    n->length = h->length;
    Release();
    m_chars = n->Chars();
}

void CString::SetLength(int length) {
    Header* h = Data();
    if (h->refs.load() < 0)
        return;  // the shared empty text stays empty
    if (length < 0) length = 0;
    if (length > h->capacity) length = h->capacity;
    h->length = length;
    h->Chars()[length] = 0;
}

void CString::Assign(const wchar_t* text, int length) {
    if (length <= 0 || !text) {
        Release();
        return;
    }
    // The text may lie inside our own buffer: build the new one first.
    Header* n = AllocHeader(length);
    std::memcpy(n->Chars(), text, sizeof(wchar_t) * static_cast<size_t>(length));
    n->Chars()[length] = 0;
    n->length = length;
    Release();
    m_chars = n->Chars();
}

void CString::Append(const wchar_t* text, int length) {
    if (length <= 0 || !text)
        return;
    int old = GetLength();
    if (length > INT_MAX / 2 - 64 - old)
        throw std::bad_alloc();
    // Keep the source alive if it is our own buffer and we reallocate.
    CString keep(*this);
    MakeUnique(old + length);
    std::memmove(Data()->Chars() + old, text, sizeof(wchar_t) * static_cast<size_t>(length));
    SetLength(old + length);
}

wchar_t CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) {
        CHECK_INVARIANT(!"CString index out of range");
        return 0;
    }
    return m_chars[index];
}

void CString::SetAt(int index, wchar_t ch) {
    if (index < 0 || index >= GetLength()) {
        CHECK_INVARIANT(!"CString index out of range");
        return;
    }
    MakeUnique(GetLength());
    Data()->Chars()[index] = ch;
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength < GetLength())
        minLength = GetLength();
    if (minLength == 0) {
        // A real block, so the caller may write the terminator.
        Header* n = AllocHeader(0);
        Release();
        m_chars = n->Chars();
        return m_chars;
    }
    MakeUnique(minLength);
    return Data()->Chars();
}

wchar_t* CString::GetBufferSetLength(int length) {
    if (length < 0) length = 0;
    wchar_t* p = GetBuffer(length);
    SetLength(length);
    return p;
}

void CString::ReleaseBuffer(int newLength) {
    Header* h = Data();
    if (newLength < 0)
        newLength = static_cast<int>(wcsnlen(h->Chars(), static_cast<size_t>(h->capacity)));
    SetLength(newLength);
}

void CString::FormatV(const wchar_t* format, va_list args) {
    if (!format) {
        Empty();
        return;
    }
    va_list probe;
    va_copy(probe, args);
    int needed = _vscwprintf(format, probe);
    va_end(probe);
    if (needed <= 0) {
        Empty();
        return;
    }
    CString result;
    wchar_t* p = result.GetBuffer(needed);
    int written = _vsnwprintf(p, static_cast<size_t>(needed) + 1, format, args);
    result.ReleaseBuffer(written < 0 ? needed : written);
    *this = std::move(result);
}

void CString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...) {
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    *this += tail;
}

int CString::Compare(const wchar_t* other) const noexcept {
    return wcscmp(m_chars, other ? other : L"");
}

int CString::CompareNoCase(const wchar_t* other) const noexcept {
    return ::CompareNoCase(m_chars, other);
}

CString& CString::MakeUpper() {
    if (!IsEmpty()) {
        MakeUnique(GetLength());
        CharUpperBuffW(Data()->Chars(), static_cast<DWORD>(GetLength()));
    }
    return *this;
}

CString& CString::MakeLower() {
    if (!IsEmpty()) {
        MakeUnique(GetLength());
        CharLowerBuffW(Data()->Chars(), static_cast<DWORD>(GetLength()));
    }
    return *this;
}

CString& CString::MakeReverse() {
    if (GetLength() > 1) {
        MakeUnique(GetLength());
        wchar_t* p = Data()->Chars();
        for (int i = 0, j = GetLength() - 1; i < j; ++i, --j) {
            wchar_t t = p[i];
            p[i] = p[j];
            p[j] = t;
        }
    }
    return *this;
}

int CString::Find(wchar_t ch, int start) const noexcept {
    if (start < 0) start = 0;
    for (int i = start; i < GetLength(); ++i)
        if (m_chars[i] == ch)
            return i;
    return -1;
}

int CString::Find(const wchar_t* sub, int start) const noexcept {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const wchar_t* hit = wcsstr(m_chars + start, sub);
    return hit ? static_cast<int>(hit - m_chars) : -1;
}

int CString::ReverseFind(wchar_t ch) const noexcept {
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_chars[i] == ch)
            return i;
    return -1;
}

int CString::FindOneOf(const wchar_t* set) const noexcept {
    if (!set)
        return -1;
    for (int i = 0; i < GetLength(); ++i)
        if (wcschr(set, m_chars[i]) && m_chars[i] != 0)
            return i;
    return -1;
}

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_chars, count);
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_chars + GetLength() - count, count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    if (count > GetLength() - first) count = GetLength() - first;
    if (first == 0 && count == GetLength()) return *this;
    return CString(m_chars + first, count);
}

template <typename Pred>
static void TrimBy(CString& s, bool left, bool right, Pred isTrimmed) {
    int len = s.GetLength();
    const wchar_t* p = s.GetString();
    int b = 0, e = len;
    if (left)
        while (b < e && isTrimmed(p[b])) ++b;
    if (right)
        while (e > b && isTrimmed(p[e - 1])) --e;
    if (b != 0 || e != len)
        s = s.Mid(b, e - b);
}

CString& CString::Trim() { TrimBy(*this, true, true, IsSpace); return *this; }
CString& CString::TrimLeft() { TrimBy(*this, true, false, IsSpace); return *this; }
CString& CString::TrimRight() { TrimBy(*this, false, true, IsSpace); return *this; }
CString& CString::Trim(wchar_t ch) { TrimBy(*this, true, true, [ch](wchar_t c) { return c == ch; }); return *this; }
CString& CString::TrimLeft(wchar_t ch) { TrimBy(*this, true, false, [ch](wchar_t c) { return c == ch; }); return *this; }
CString& CString::TrimRight(wchar_t ch) { TrimBy(*this, false, true, [ch](wchar_t c) { return c == ch; }); return *this; }

static auto InSet(const wchar_t* set) {
    return [set](wchar_t c) { return set && c != 0 && wcschr(set, c) != nullptr; };
}
CString& CString::Trim(const wchar_t* set) { TrimBy(*this, true, true, InSet(set)); return *this; }
CString& CString::TrimLeft(const wchar_t* set) { TrimBy(*this, true, false, InSet(set)); return *this; }
CString& CString::TrimRight(const wchar_t* set) { TrimBy(*this, false, true, InSet(set)); return *this; }

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
    int n = 0;
    for (int i = 0; i < GetLength(); ++i)
        if (m_chars[i] == oldCh)
            ++n;
    if (n == 0 || oldCh == newCh)
        return oldCh == newCh ? n : 0;
    MakeUnique(GetLength());
    wchar_t* p = Data()->Chars();
    for (int i = 0; i < GetLength(); ++i)
        if (p[i] == oldCh)
            p[i] = newCh;
    return n;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    int oldLen = SafeLength(oldText);
    if (oldLen == 0)
        return 0;
    CString result;
    int count = 0, pos = 0;
    for (;;) {
        int hit = Find(oldText, pos);
        if (hit < 0)
            break;
        result.Append(m_chars + pos, hit - pos);
        result.Append(newText ? newText : L"", SafeLength(newText));
        pos = hit + oldLen;
        ++count;
    }
    if (count) {
        result.Append(m_chars + pos, GetLength() - pos);
        *this = std::move(result);
    }
    return count;
}

int CString::Remove(wchar_t ch) {
    int n = 0;
    for (int i = 0; i < GetLength(); ++i)
        if (m_chars[i] == ch)
            ++n;
    if (!n)
        return 0;
    MakeUnique(GetLength());
    wchar_t* p = Data()->Chars();
    int w = 0;
    for (int r = 0; r < GetLength(); ++r)
        if (p[r] != ch)
            p[w++] = p[r];
    SetLength(w);
    return n;
}

int CString::Insert(int index, wchar_t ch) { return Insert(index, CString(ch, 1)); }

int CString::Insert(int index, const wchar_t* text) {
    if (index < 0) index = 0;
    if (index > GetLength()) index = GetLength();
    CString result(m_chars, index);
    result += text;
    result.Append(m_chars + index, GetLength() - index);
    *this = std::move(result);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count <= 0 || index >= GetLength())
        return GetLength();
    if (count > GetLength() - index) count = GetLength() - index;
    CString result(m_chars, index);
    result.Append(m_chars + index + count, GetLength() - index - count);
    *this = std::move(result);
    return GetLength();
}

CString CString::Tokenize(const wchar_t* tokens, int& start) const {
    if (start < 0 || start >= GetLength() || !tokens) {
        start = -1;
        return CString();
    }
    auto isSep = InSet(tokens);
    int b = start;
    while (b < GetLength() && isSep(m_chars[b])) ++b;
    if (b >= GetLength()) {
        start = -1;
        return CString();
    }
    int e = b;
    while (e < GetLength() && !isSep(m_chars[e])) ++e;
    start = e + 1;
    return Mid(b, e - b);
}

CString& CString::operator+=(const CString& other) {
    Append(other.m_chars, other.GetLength());
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    Append(text, SafeLength(text));
    return *this;
}

CString& CString::operator+=(wchar_t ch) {
    Append(&ch, 1);
    return *this;
}

std::string CString::ToUtf8() const {
    if (IsEmpty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, m_chars, GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, m_chars, GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

CString CString::FromUtf8(const char* text, int length) {
    if (!text)
        return CString();
    if (length < 0)
        length = static_cast<int>(strnlen(text, INT_MAX / 4));
    if (length == 0)
        return CString();
    int n = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
    if (n <= 0)
        return CString();
    CString out;
    wchar_t* p = out.GetBuffer(n);
    MultiByteToWideChar(CP_UTF8, 0, text, length, p, n);
    out.ReleaseBuffer(n);
    return out;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }

#include "platform/CDC.h"

#include "platform/CString.h"
#include "platform/Debug.h"

#include <vector>

CDC::~CDC() {
    if (m_owned)
        DeleteDC();
    else
        Detach();
}

bool CDC::Attach(HDC dc) {
    CHECK_INVARIANT(m_hDC == nullptr);
    if (m_hDC != nullptr || dc == nullptr)
        return false;
    m_hDC = dc;
    m_owned = false;
    return true;
}

HDC CDC::Detach() {
    RestoreSelections();
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

bool CDC::CreateCompatibleDC(CDC* dc) {
    if (!CHECK_INVARIANT(m_hDC == nullptr))
        return false;
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    m_owned = m_hDC != nullptr;
    return m_owned;
}

bool CDC::DeleteDC() {
    if (!m_owned || m_hDC == nullptr)
        return false;
    HDC dc = Detach();
    return ::DeleteDC(dc) != FALSE;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    if (m_hDC == nullptr || object == nullptr)
        return nullptr;
    int kind;
    switch (::GetObjectType(object)) {
    case OBJ_PEN: case OBJ_EXTPEN: kind = kPen; break;
    case OBJ_BRUSH: kind = kBrush; break;
    case OBJ_FONT: kind = kFont; break;
    case OBJ_BITMAP: kind = kBitmap; break;
    default: return ::SelectObject(m_hDC, object);
    }
    HGDIOBJ previous = ::SelectObject(m_hDC, object);
    if (m_original[kind] == nullptr && previous != nullptr && previous != HGDI_ERROR)
        m_original[kind] = previous;
    return previous;
}

void CDC::RestoreSelections() {
    for (HGDIOBJ& original : m_original) {
        if (original != nullptr && m_hDC != nullptr)
            ::SelectObject(m_hDC, original);
        original = nullptr;
    }
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour) {
    COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight) {
    int width = rect->right - rect->left, height = rect->bottom - rect->top;
    FillSolidRect(rect->left, rect->top, width - 1, 1, topLeft);
    FillSolidRect(rect->left, rect->top, 1, height - 1, topLeft);
    FillSolidRect(rect->right - 1, rect->top, 1, height, bottomRight);
    FillSolidRect(rect->left, rect->bottom - 1, width, 1, bottomRight);
}

int CDC::DrawText(const wchar_t* text, int count, RECT* rect, UINT format) {
    if (text == nullptr)
        return 0;
    if (!(format & DT_MODIFYSTRING))
        return ::DrawTextW(m_hDC, text, count, rect, format);
    // The system may append up to four characters ("..." and a terminator).
    size_t length = count < 0 ? wcslen(text) : static_cast<size_t>(count);
    std::vector<wchar_t> copy(text, text + length);
    copy.resize(length + 5, L'\0');
    return ::DrawTextW(m_hDC, copy.data(), static_cast<int>(length), rect, format);
}

int CDC::DrawText(const CString& text, RECT* rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

bool CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text.GetString(), text.GetLength());
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

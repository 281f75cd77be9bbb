#pragma once

#include "platform/CGdiObject.h"


class CBrush : public CGdiObject {
public:
    CBrush() noexcept = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    bool CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    bool CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
    bool GetLogBrush(LOGBRUSH* brush) const { return GetObject(sizeof(LOGBRUSH), brush) == sizeof(LOGBRUSH); }

    HBRUSH GetSafeHandle() const noexcept { return static_cast<HBRUSH>(m_hObject); }
    operator HBRUSH() const noexcept { return static_cast<HBRUSH>(m_hObject); }
};

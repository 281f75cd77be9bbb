#pragma once

#include "platform/CGdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() noexcept = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    bool CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
    bool GetLogPen(LOGPEN* pen) const { return GetObject(sizeof(LOGPEN), pen) == sizeof(LOGPEN); }

    HPEN GetSafeHandle() const noexcept { return static_cast<HPEN>(m_hObject); }
    operator HPEN() const noexcept { return static_cast<HPEN>(m_hObject); }
};

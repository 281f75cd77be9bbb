#pragma once

#include "platform/CGdiObject.h"

class CFont : public CGdiObject {
public:
    bool CreateFontIndirect(const LOGFONTW* font) { return Attach(::CreateFontIndirectW(font)); }
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const wchar_t* faceName) {
        return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                                    strikeOut, charSet, outPrecision, clipPrecision, quality,
                                    pitchAndFamily, faceName));
    }
    bool GetLogFont(LOGFONTW* font) const { return GetObject(sizeof(LOGFONTW), font) == sizeof(LOGFONTW); }

    HFONT GetSafeHandle() const noexcept { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const noexcept { return static_cast<HFONT>(m_hObject); }
};

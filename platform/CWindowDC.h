#pragma once
// The DC of a whole window, frame included (the screen's with a null window).

#include "platform/CDC.h"

class CWnd;

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};

#pragma once
// The list control's in-place edit: a plain edit over the cell being
// edited, in the list's colours and font.  It tells the list when it loses
// the focus, which ends the edit with its text taken.

#include "platform/CBrush.h"
#include "platform/CEdit.h"

#include <functional>

class CXListEdit : public CEdit {
public:
    CXListEdit() = default;

    // The font is the list's; it outlives the edit.
    void SetEditFont(HFONT font);
    void SetColours(COLORREF text, COLORREF back, COLORREF frame);
    void SetFocusLostHandler(std::function<void()> handler) { m_onFocusLost = std::move(handler); }

    COLORREF GetTextColour() const noexcept { return m_textColour; }
    COLORREF GetBackColour() const noexcept { return m_backColour; }
    COLORREF GetFrameColour() const noexcept { return m_frameColour; }

protected:
    int OnCreate(CREATESTRUCTW* create) override;
    HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlColor) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    HFONT m_font = nullptr;
    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_backColour = 0;
    COLORREF m_frameColour = 0xFFFFFF;
    CBrush m_backBrush;
    std::function<void()> m_onFocusLost;
};

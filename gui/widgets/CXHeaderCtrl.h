#pragma once
// The list control's column header, drawn flat in the skin's colours: a
// separator between columns, each column's image, bitmap and title (a
// language key is shown translated), and columns the user cannot resize.

#include "platform/CHeaderCtrl.h"

#include <vector>

class CDC;

class CXHeaderCtrl : public CHeaderCtrl {
public:
    // Between an item's image, its text and its bitmap.
    static constexpr int kSpacing = 6;
    static constexpr int kMaxTitleChars = 160;
    // The header is this high whatever its font.
    static constexpr int kHeight = 26;

    // A record beside each item, room for what an owner attaches to a
    // column; nothing attaches anything yet, but the records stay in step
    // with the items through every insertion and deletion.
    struct ItemExtra {
        int first = 0;
        int second = 0;
        int third = -1;
        int fourth = -1;
    };

    CXHeaderCtrl() = default;

    // LISTHDR's backclr: both separator lines and the background.
    void SetBackColours(COLORREF colour);
    void SetTextColour(COLORREF colour);
    COLORREF GetOuterLineColour() const noexcept { return m_outerLine; }
    COLORREF GetInnerLineColour() const noexcept { return m_innerLine; }
    COLORREF GetBackgroundColour() const noexcept { return m_background; }
    COLORREF GetTextColour() const noexcept { return m_textColour; }
    int GetImageWidth() const noexcept { return m_imageWidth; }
    int GetImageHeight() const noexcept { return m_imageHeight; }
    size_t GetExtraCount() const noexcept { return m_extras.size(); }

    // One item's image, bitmap and translated title between left and right.
    virtual void DrawItemText(CDC& dc, int left, int top, int right, int bottom, int item);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnReflectedNotify(NMHDR* header, LRESULT* result) override;

private:
    void Paint(CDC& dc, const CRect& client);

    std::vector<ItemExtra> m_extras;
    bool m_doubleBuffer = true;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    COLORREF m_outerLine = 0;
    COLORREF m_innerLine = 0xFEFEFE;
    COLORREF m_background = 0;
    COLORREF m_textColour = 0xFFFFFF;
};

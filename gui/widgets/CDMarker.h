#pragma once
// A self-contained level bar (skin element DMARKER): a background picture
// with a mark picture laid over its left part in proportion to a value that
// the user drags; letting go tells the parent the value
// (WM_DMARKER_RELEASED).

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CWnd.h"

#include <pugixml.hpp>

class CGUIItems;

class CDMarker : public CWnd, public CGUIItem {
public:
    CDMarker();

    // The DMARKER element's builder: null for an unknown name, without a
    // parent, or when the window cannot be made.
    static CDMarker* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Range 0..10, value 0, enabled.
    bool Create(const CRect& rect, int32_t id, CWnd* parent);
    // Both pictures stretched to the marker's size.
    void SetBitmaps(const CBitmap* background, const CBitmap* mark);

    // The value of an x of the parent's client area over a rectangle, kept
    // inside the range.
    static int ValueAt(int x, const CRect& rect, int minValue, int maxValue);
    // How many pixels from the left the mark covers for a value.
    static int MarkWidth(int value, int width, int minValue, int maxValue);

    int GetValue() const noexcept { return m_value; }
    void SetValue(int value);
    void SetRange(int minValue, int maxValue);
    int GetMinValue() const noexcept { return m_minValue; }
    int GetMaxValue() const noexcept { return m_maxValue; }
    void SetEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    bool IsDragging() const noexcept { return m_dragging != 0; }

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* newCapture) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    // The value from a point of the marker's client area.
    void TakeValueAt(CPoint point);

    int32_t m_markerId = -1;
    CBitmap m_background;
    CBitmap m_mark;
    BYTE m_dragging = 0;
    CRect m_rect;
    CPoint m_pressPoint;
    CWnd* m_parent = nullptr;
    int m_minValue = 0;
    int m_maxValue = 10;
    int m_value = 0;
    BYTE m_enabled = 1;
};

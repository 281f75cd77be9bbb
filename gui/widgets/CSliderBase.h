#pragma once
// The thumb of the skinned sliders: a small child window of a slider track
// that shows its picture (another while hovered or dragged), is shaped to
// it, follows the mouse while the left button is held, and keeps an index
// within a range; index i stands for the value minimum value + i.  The
// direction lies in four operations (Layout, DragTo, PosToValue, SetValue):
// CPHSlider is the horizontal thumb, CVertSlider the vertical one.
//
// A thumb reports to its track only (WM_SLIDER_VALUE_CHANGING while dragged,
// WM_SLIDER_VALUE_SET when let go or moved by a click on the track); the
// track tells its own owner.  Positions are in the track's client
// coordinates, the travel rectangle among them.

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CString.h"
#include "platform/CWnd.h"

#include <cstdint>
#include <map>

class CSliderTrack;

class CSliderBase : public CWnd, public CGUIItem {
public:
    // Where the tooltip stands beside the thumb ('ttpos' L, R, T, B).
    enum TipPosition { kTipLeft = 0, kTipRight = 1, kTipTop = 2, kTipBottom = 3 };

    CSliderBase();
    ~CSliderBase() override;

    // The place of a skin's 'ttpos' letter (ReadTooltipPos).
    static int TipPositionOf(wchar_t letter);

    // Copies of the pictures; the window is a child of the track, the size
    // of the normal picture, shaped by the mask (or, with 'shape', by the
    // normal picture's own background).  Refused without a track, without
    // a normal picture, and for a travel the layout cannot use.
    bool Create(const CBitmap* normal, CSliderTrack* track, const CBitmap* over, const CBitmap* mask, bool shape,
                const CRect& travel);

    // The tooltip's text (translated), its place and the text before the value.
    void SetCaption(const wchar_t* tooltip, int position, const wchar_t* prefix);

    // The positions of every index over the travel; false when the travel
    // is empty or the range has fewer than two positions: every index then
    // stands at the start and every point reads as the first index.
    virtual bool Layout() = 0;
    // The mouse moved to x, y of the thumb's client area while dragging.
    virtual void DragTo(UINT flags, int x, int y) = 0;
    // The index for a thumb edge at x, y of the track's client area.
    virtual int PosToValue(int x, int y) const = 0;
    // A negative index is refused; others are kept inside the range.  With
    // move the window goes to the index's position.
    virtual void SetValue(int index, bool move) = 0;

    // A click on the track at x, y of the track's client area: the thumb
    // jumps there and reports its value as when let go.
    void TrackClick(int x, int y);
    // The value, kept inside the value range, as the thumb's index; the
    // window moves there.
    void SetValueInRange(int value);

    // Values minValue + i for the indexes minIndex .. maxIndex, then the
    // layout; refused (false, nothing changed) for fewer than two positions.
    bool SetRange(int minValue, int maxValue, int minIndex, int maxIndex);
    // The travel rectangle and the picture's size, then the layout: what
    // Create sets, for a thumb that has no window.
    bool SetGeometry(const CRect& travel, int width, int height);

    int GetIndex() const noexcept { return m_index; }
    int GetValue() const noexcept { return m_minValue + m_index; }
    int GetMinValue() const noexcept { return m_minValue; }
    int GetMaxValue() const noexcept { return m_maxValue; }
    int GetMinIndex() const noexcept { return m_minIndex; }
    int GetMaxIndex() const noexcept { return m_maxIndex; }
    // The position of an index's thumb edge; the start for an unknown index.
    int GetPosition(int index) const;
    int GetMinPos() const noexcept { return m_minPos; }
    int GetMaxPos() const noexcept { return m_maxPos; }
    const CRect& GetTravel() const noexcept { return m_windowRect; }
    CSize GetPictureSize() const noexcept { return CSize(m_width, m_height); }

    const CString& GetCaption() const noexcept { return m_caption; }
    const CString& GetLabel() const noexcept { return m_label; }
    const CString& GetPrefix() const noexcept { return m_prefix; }
    // The caption becomes the prefix followed by this text.
    void SetCaptionText(const wchar_t* text);
    int GetMultiplier() const noexcept { return m_multiplier; }
    void SetMultiplier(int multiplier) { m_multiplier = multiplier; }
    CPoint GetTipOffset() const noexcept { return CPoint(m_tipOffsetX, m_tipOffsetY); }
    bool IsTooltipEnabled() const noexcept { return m_tooltipEnabled != 0; }
    void SetTooltipEnabled(bool enabled) { m_tooltipEnabled = enabled ? 1 : 0; }
    bool IsInteractive() const noexcept { return m_interactive != 0; }
    void SetInteractive(bool interactive) { m_interactive = interactive ? 1 : 0; }
    bool IsDragging() const noexcept { return m_dragging != 0; }
    bool IsHovered() const noexcept { return m_hover != 0; }

    CSliderTrack* GetTrack() const noexcept { return m_track; }
    // The track is going: the thumb reports to nobody from now on.
    void ForgetTrack() noexcept { m_track = nullptr; }

protected:
    // The window's top left corner, in the track's client area, for an index.
    virtual CPoint ThumbOrigin(int index) const = 0;
    // The steps over a travel of that many pixels: index i stands 'i steps'
    // from 'first' towards 'last' (direction +1 or -1), never past 'last'.
    // False, and every index at 'first', when there is nothing to divide.
    bool LayoutSteps(int travel, int first, int last, int direction);
    // The caption: the prefix and the shown value ((minimum value + index) x multiplier).
    void RebuildCaption(int multiplier);
    // The window to x, y of the track's client area, picture-sized, repainted.
    void MoveThumb(int x, int y);
    // The point of the thumb's client area in the track's client area.
    CPoint ToTrack(int x, int y) const;
    // The value and the thumb's id to the track.
    void ReportValue(UINT message, int index);
    // Tells the track where the thumb's edge now is.
    void ReportMoved(UINT message, int edge);
    int ClampIndex(int index) const;
    // Ends a drag: the value goes to the track as let go.
    void EndDrag();

    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnCaptureChanged(CWnd* newCapture) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

    int m_span = 0;
    float m_pixelsPerStep = 0.0f;
    int m_minPos = 0;
    int m_maxPos = 0;
    int m_halfWidth = 0;
    int m_halfHeight = 0;
    int m_index = -1;
    CPoint m_pressPoint;
    int m_minValue = 0;
    int m_maxValue = 1;
    int m_minIndex = 0;
    int m_maxIndex = 1;
    std::map<int, int> m_positions;
    CSliderTrack* m_track = nullptr;
    CString m_prefix;
    CString m_caption;
    CString m_label;
    int m_multiplier = 1;
    CBitmap m_normal;
    CBitmap m_over;
    CBitmap m_mask;
    int m_width = 0;
    int m_height = 0;
    BYTE m_dragging = 0;
    BYTE m_interactive = 1;
    BYTE m_hover = 0;
    BYTE m_trackingMouse = 0;
    BYTE m_tooltipEnabled = 1;
    // The travel widened by the thumb: where its edge may go.
    CRect m_trackRect;
    // The travel: the thumb's centre runs over it (horizontal) or up it (vertical).
    CRect m_windowRect;
    int m_tipOffsetX = 0;
    int m_tipOffsetY = 0;
};

#pragma once
// The skinned push button and check box: four state pictures (normal, over,
// down, disabled) with an optional mask that shapes the window, an optional
// caption, hover tracking with the mouse capture, and an optional blink.
// Buttons carry control id 0: their parent tells them apart by window.

#include "gui/skin/AttributeReaders.h"
#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CButton.h"
#include "platform/CRgn.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

class CFontItem;
class CGUIItems;

class CBitmapBtn : public CButton, public CGUIItem {
public:
    enum Picture { kNormal, kOver, kDown, kDisabled, kMask, kPictures };
    // The blink timer's id.
    static constexpr UINT_PTR kBlinkTimer = 16;

    CBitmapBtn();
    ~CBitmapBtn() override;

    // The BUTTON element's builder: null for an unknown name or a window
    // that cannot be made.
    static CBitmapBtn* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Which picture a state shows (the blink picture, when set, wins over
    // all of them).
    static Picture ChoosePicture(bool isCheckBox, bool checked, bool disabled, bool pressed, bool hover);
    // The caption colour of a state; 0 drawn as 0xFEFEFE.
    static COLORREF ChooseCaptionColour(const COLORREF (&colours)[4], bool checked, bool pressed, bool ownHover,
                                        bool disabled);
    // DrawTextW flags of the caption from 'justify' and 'multiline'.
    static UINT CaptionFormatFor(wchar_t justify, bool multiline, UINT multilineFlags = DT_WORDBREAK);
    // The window style from 'justify'.
    static DWORD StyleFor(wchar_t justify);

    // Translated, then the case option whether or not a translation was
    // found, then the first "\n" marker to a line break.
    void SetCaption(const wchar_t* text, int caseOption);
    const CString& GetCaption() const noexcept { return m_caption; }
    // Stores the state; repaints only when it changes.
    void SetCheckState(int state);
    int GetCheckState() const noexcept { return m_checked; }
    bool IsCheckBox() const noexcept { return m_isCheckBox != 0; }
    bool TogglesOnClick() const noexcept { return m_toggles != 0; }
    bool IsHovered() const noexcept { return m_hover != 0; }
    // A linked label marks the button hovered while the mouse is over it.
    void SetHoverFromLabel(bool hover) { m_hoverFromLabel = hover; }
    bool IsHoveredFromLabel() const noexcept { return m_hoverFromLabel != 0; }
    void SetTooltip(const wchar_t* text);

    // Copies of the four state pictures at the button's size.
    bool LoadStateBitmaps(const ButtonBitmaps& set);
    // Copies of all five pictures; the window is shaped by the mask.
    bool LoadStateBitmapsWithRegion(const ButtonBitmaps& set);
    const CBitmap& GetPicture(Picture which) const { return m_pictures[which]; }
    // The button as it looks in a state, caption and all, as a picture of
    // its size (what a mask cuts away is black): for a window that shows it
    // elsewhere, as the key window shows a key with its legend.  False when
    // the button has no window or no picture.
    bool RenderLook(Picture which, CBitmap& look);

    // The blink: whoever starts it sets the period and the first picture
    // (normal or down) and starts timer 16.
    void StartBlink(UINT periodMs, Picture first = kNormal);
    void StopBlink();
    const CBitmap* GetBlinkPicture() const noexcept { return m_blink; }

    void DrawItem(DRAWITEMSTRUCT* draw) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // A button its dialog made a tab stop is worked by the keyboard as by
    // the mouse: Space clicks it (a check box toggles), Enter clicks a
    // plain one, and it marks itself while it has the focus.  Buttons that
    // are no tab stops keep to the mouse.
    bool IsKeyboardReachable() const;
    // The focus mark's rectangle inside a client area.
    static CRect FocusMarkRect(const CRect& client, bool isCheckBox);

    CFontItem* GetFontItem() const noexcept { return m_font; }
    UINT GetCaptionFormat() const noexcept { return m_captionFormat; }
    COLORREF GetCaptionColour(int state) const { return m_captionColours[state]; }

protected:
    void PreSubclassWindow() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* newCapture) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

    // Reads what BUTTON and KBDKEY have in common and makes the window.
    bool BuildFromElement(const pugi::xml_node& element, int32_t id, CWnd* parent, CGUIItems& items,
                          ButtonBitmaps& pictures, UINT multilineFlags);
    // Draws a picture, masked over the background when there is a mask,
    // with the caption over it in the given colour.
    // The state picture of a paint (the blink picture aside).
    virtual Picture StatePicture(bool disabled, bool pressed) const;
    // A caption of several lines is centred as a block unless it is drawn
    // over the whole client area.
    virtual bool CaptionOverWholeClient() const { return false; }
    void DrawPictureAndCaption(DRAWITEMSTRUCT* draw, const CBitmap& picture, COLORREF captionColour);
    void Repaint() { Invalidate(false); }
    // What a click does to a check box: its state turned over (when it
    // toggles), a repaint, and the command to its owner.
    void ClickCheckBox();

    CToolTipCtrl m_tooltip;
    int m_checked = 0;
    int m_isCheckBox = 0;
    int m_hover = 0;
    CBitmap m_pictures[kPictures];
    COLORREF m_captionColours[4] = {};
    BYTE m_toggles = 1;
    CString m_caption;
    // Owned by the item list (a FONT item); never deleted here.
    CFontItem* m_font = nullptr;
    // Given to the window once it accepts it; the wrapper is then empty and
    // the window deletes the region itself.
    CRgn m_region;
    UINT m_captionFormat = 0;
    UINT m_blinkPeriod = 0;
    const CBitmap* m_blink = nullptr;
    BYTE m_hoverFromLabel = 0;
};

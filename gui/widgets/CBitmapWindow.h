#pragma once
// A framed display area: one of three state pictures, an optional picture
// from elsewhere centred in its upper band, and a caption in its lower band
// with an icon chosen by the owner's assignment type.  The owner sets the
// flags that choose what it shows.

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"
#include "platform/CWnd.h"

#include <pugixml.hpp>

#include <map>

class CFontItem;
class CGUIItems;

// A picture of another source that a widget shows: the picture, a second
// picture (or a mask) and a rectangle of the first.
struct PictureRecord {
    const CBitmap* picture = nullptr;
    const CBitmap* second = nullptr;
    RECT rect = {0, 0, 0, 0};
};

class CBitmapWindow : public CWnd, public CGUIItem {
public:
    enum StatePicture { kNone, kNormal, kHighlight, kSelected };
    // The caption band is the inner area's bottom part; a line above it.
    static constexpr int kCaptionBand = 37;
    // Between the icon and the caption's first letter, whatever the caption
    // begins with.
    static constexpr int kIconGap = 6;

    CBitmapWindow();
    ~CBitmapWindow() override;

    // The BITMAPWINDOW element's builder: null for an unknown name or a
    // window that cannot be made.
    static CBitmapWindow* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Which picture is shown: selected (or locked) first, then the highlight
    // while hovered or while there is a caption, then the normal one; each
    // only when the skin has it.
    static StatePicture ChoosePicture(bool selected, bool locked, bool hover, bool hasCaption, bool haveSelected,
                                      bool haveHighlight, bool haveNormal);
    static UINT FormatFor(wchar_t justify, bool multiline);

    // Unless locked: translated, case option, first "\n" marker to a line
    // break, repainted.
    void SetText(const wchar_t* text);
    const CString& GetText() const noexcept { return m_caption; }
    void SetTooltip(const wchar_t* text);

    void SetExtraPicture(const PictureRecord* record) {
        m_extra = record;
        Invalidate(false);
    }
    void SetSelected(bool on) { m_selected = on; }
    void SetHover(bool on) { m_hover = on; }
    void SetPressedState(int state) { m_pressed = state; }
    void SetLocked(bool on) { m_locked = on; }
    void SetTextBand(bool on) { m_textBand = on; }
    void SetAssignmentType(int type) { m_assignmentType = type; }
    bool IsSelected() const noexcept { return m_selected != 0; }
    bool IsHovered() const noexcept { return m_hover != 0; }
    int GetPressedState() const noexcept { return m_pressed; }
    const CRect& GetInnerArea() const noexcept { return m_inner; }
    UINT GetFormat() const noexcept { return m_format; }
    size_t GetIconCount() const noexcept { return m_icons.size(); }
    // What the caption band shows beside an icon of that width: the caption
    // without its leading blanks, shortened to fit with the icon and the gap.
    // A blank caption (a disabled key has nothing else to say) reads as the
    // name of the icon's kind, the language text "AssignKind<type>", when the
    // language has one.
    CString FittedCaption(CDC& dc, int iconWidth) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCaptureChanged(CWnd* newCapture) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    void Paint(CDC& dc);
    void PaintExtra(CDC& dc);
    void PaintCaption(CDC& dc);
    const CBitmap* StatePictureOf(StatePicture which) const;
    CString CaptionBesideIcon() const;

    CBitmap m_innerBitmap;
    CBitmap m_normal;
    CBitmap m_highlight;
    CBitmap m_selectedPicture;
    const PictureRecord* m_extra = nullptr;
    CString m_caption;
    BYTE m_caseOption = 0;
    UINT m_format = 0;
    // Owned by the item list (a FONT item); never deleted here.
    CFontItem* m_font = nullptr;
    COLORREF m_textColour = 0;
    BYTE m_selected = 0;
    BYTE m_hover = 0;
    int m_pressed = 0;
    BYTE m_locked = 0;
    BYTE m_textBand = 0;
    CRect m_inner;
    CToolTipCtrl m_tooltip;
    int m_assignmentType = 0;
    // Pictures of the asset cache, which keeps them for the process.
    std::map<int, const CBitmap*> m_icons;
};

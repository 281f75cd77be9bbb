#pragma once
// A clickable tile that stands for one sensitivity stage (skin element
// DPISTAGEWINDOW): picked once, it tells its parent its stage number and
// takes the focus; a picked tile tells nothing again.  It keeps the
// pictures and text areas the skin gives it, matched to its slots by name,
// but shows only its background: black until it is picked.

#include "gui/core/CGUIItem.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/skin/AttributeReaders.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CStatic.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

#include <vector>

class CGUIItems;

class CDPIStageWindow : public CStatic, public CGUIItem {
public:
    // The picture slots, by the names "DPIFRAME", "DPIFRAMESELECTED",
    // "DPIWIN", "DPIWINX", "DPIWINY".
    enum PictureSlot { kFrame, kFrameSelected, kWin, kWinX, kWinY, kPictureSlots };
    // The text slots, by the names "HEADING", "DPI", "DPIX", "DPIY", "X".
    enum TextSlot { kHeading, kStage, kValueX, kValueY, kTextX, kTextSlots };

    // A BMPINFO entry with the slot name it gives.
    struct NamedPicture {
        CString name;
        PictureRecord record;
    };
    struct Picture {
        CBitmap picture;
        CBitmap mask;
        CRect rect;
    };
    struct TextArea {
        CString text;
        CRect rect;
    };

    CDPIStageWindow();
    ~CDPIStageWindow() override;

    // The DPISTAGEWINDOW element's builder: null for an unknown name, an
    // empty rectangle or a window that cannot be made.
    static CDPIStageWindow* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    bool Create(const CRect& rect, CWnd* parent, int32_t id);
    // Each entry fills the slot of its name (ignoring case); the pictures
    // are copied at their rectangles' sizes, the heading is set as by
    // SetHeadingText.  Entries of other names are left out.
    void ReadLayout(const std::vector<NamedPicture>& pictures, const std::vector<TextInfo>& texts);
    // The slot of a name, or -1.
    static int PictureSlotOf(const wchar_t* name);
    static int TextSlotOf(const wchar_t* name);

    // Translated, its first "\n" marker a line break.
    void SetHeadingText(const wchar_t* text);
    void SetToolTipText(const wchar_t* text);
    void SetStageNumber(int number) noexcept { m_stageNumber = number; }
    int GetStageNumber() const noexcept { return m_stageNumber; }
    bool IsSelected() const noexcept { return m_selected != 0; }
    HWND GetPreviousFocus() const noexcept { return m_previousFocus; }

    const Picture& GetPicture(PictureSlot slot) const { return m_pictures[slot]; }
    const TextArea& GetTextArea(TextSlot slot) const { return m_texts[slot]; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;

private:
    Picture m_pictures[kPictureSlots];
    TextArea m_texts[kTextSlots];
    int m_stageNumber = 0;
    BYTE m_clickable = 1;
    BYTE m_selected = 0;
    HWND m_previousFocus = nullptr;
    CToolTipCtrl m_tooltip;
};

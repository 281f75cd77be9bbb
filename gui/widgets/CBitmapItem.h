#pragma once
// A plain picture on a panel, optionally shaped by a mask; the usual parent
// window of the texts and buttons that sit on a picture.  Unless the skin
// says it is not moveable, its window is disabled so that the mouse falls
// through to the panel.  Commands of its children go on to its parent.

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CToolTipCtrl.h"
#include "platform/CWnd.h"

#include <pugixml.hpp>

class CGUIItems;

class CBitmapItem : public CWnd, public CGUIItem {
public:
    CBitmapItem() { SetItemFields(-1, kItemBitmapItem, kNoWindowYet, nullptr); }
    ~CBitmapItem() override;

    // The BITMAPITEM element's builder: null for an unknown name or a window
    // that cannot be made.
    static CBitmapItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);
    // The window style 'moveable' asks for.
    static DWORD StyleFor(const pugi::xml_node& element);

    // With a mask the window takes the mask's shape; the picture is copied
    // at the window's size and shown.
    void SetBitmapAndRegion(const CBitmap* picture, const CBitmap* mask);
    void DrawBitmap(const CBitmap* picture);
    const CBitmap& GetPicture() const noexcept { return m_picture; }
    void SetTooltip(const wchar_t* text);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CToolTipCtrl m_tooltip;
    CBitmap m_picture;
};

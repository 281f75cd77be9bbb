#pragma once
// The description of a progress panel read from a skin (element
// PROGRESSPANELITEM): its rectangle, colours, border, fill bar and text
// fields.  It is only data: no window, nothing draws it, and looking an item
// up by a window never finds it.

#include "gui/core/CGUIItem.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/ListPanelEntry.h"
#include "platform/CRect.h"

#include <pugixml.hpp>

#include <vector>

class CGUIItems;
class CWnd;

class CProgressPanelItem : public CGUIItem {
public:
    CProgressPanelItem();

    // The PROGRESSPANELITEM element's builder: null for an unknown name or
    // an empty rectangle.
    static CProgressPanelItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The TEXTINFO entries of its TEXTINFOLIST, in order; those without a
    // name or a rectangle are left out.
    const std::vector<TextInfo>& GetTextEntries() const noexcept { return m_texts; }
    const CRect& GetRect() const noexcept { return m_rect; }
    DWORD GetStyle() const noexcept { return m_style; }
    const FillInfo& GetFill() const noexcept { return m_fill; }
    // Its colours and border width, as a list of entries keeps them; the
    // rest of that look is not used.
    const ListPanelStyle& GetLook() const noexcept { return m_look; }

private:
    std::vector<TextInfo> m_texts;
    // The style its window would have.
    DWORD m_style = WS_CHILD | WS_VISIBLE;
    CRect m_rect;
    FillInfo m_fill;
    ListPanelStyle m_look;
};

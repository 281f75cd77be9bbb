#pragma once
// One entry of a skinned list (a list panel, a drop-down's choices, a popup
// menu) and the look that the lists drawing such entries share.

#include "gui/skin/AttributeReaders.h"
#include "platform/CString.h"

#include <windows.h>

#include <pugixml.hpp>

#include <cstdint>
#include <initializer_list>
#include <vector>

class CFontItem;
class CListPanelItem;

struct ListPanelEntry {
    CString text;
    CString tooltip;
    // A cascading sub-list (not owned), null for none.
    CListPanelItem* subList = nullptr;
    int32_t disabled = 0;
};

// Colours, margins, border and scroll-bar pictures of a list of entries.
struct ListPanelStyle {
    CFontItem* font = nullptr;  // owned by the item list
    COLORREF fontColour = 0xFFFFFF;
    COLORREF fontColourHot = 0x000000;
    COLORREF fontColourSelected = 0x000000;
    COLORREF disabledFontColour = 0xFFFFFF;
    COLORREF backColour = 0x000000;
    COLORREF backColourHot = 0xFFFFFF;
    COLORREF backColourSelected = 0xFFFFFF;
    COLORREF disabledBackColour = 0x000000;
    COLORREF borderColour = 0xFFFFFF;
    int32_t borderWidth = 1;
    int32_t leftMargin = 0;
    int32_t rightMargin = 0;
    int32_t scrollBarWidth = 0;
    ScrollBarBitmaps scrollBitmaps;

    // The width the border lines are drawn with: 0 stands for 1.
    int32_t DrawnBorderWidth() const noexcept { return borderWidth > 0 ? borderWidth : 1; }
};

// How one row is drawn: its text and background colours.
struct ListRowColours {
    COLORREF text;
    COLORREF back;
};

// The entry indexes in the order the rows show them: as given, or by text
// without regard to case (stable, so equal texts keep their order).
std::vector<int> ListRowOrder(const std::vector<ListPanelEntry>& entries, bool sorted);

// A skin number where a negative value stands for 0.
int32_t ReadNonNegative(const pugi::xml_attribute& attribute);
// The style's colours of those attribute names that the element has, and
// "bdrwidth" (negative: 0) when it is there.
void ReadListStyle(const pugi::xml_node& element, ListPanelStyle& style, std::initializer_list<const char*> colours);

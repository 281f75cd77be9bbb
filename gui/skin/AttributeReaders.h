#pragma once
// The readers that every element builder uses for the attributes skins have
// in common: the item's symbolic name, its rectangle, its font, pictures,
// colours, tooltip options and switches.  Where a language may replace the
// skin's value for an item, the current language table is asked first
// (CLangTable::GetCurrent).
//
// Skin values arrive as UTF-8 from the XML reader.  Numbers are plain
// decimal (an optional sign and the leading digits; 0 without digits) and
// saturate at the limits of 32 bits instead of overflowing.

#include "platform/CRect.h"
#include "platform/CString.h"

#include <pugixml.hpp>

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

class CBitmap;
class CFontItem;
class CGUIItems;
class CWnd;
struct PictureRecord;

int32_t ParseSkinNumber(const char* text);
int32_t ParseSkinNumber(const wchar_t* text);
// Begins with "1", "t", "T", "y" or "Y".
bool IsSkinTrue(const char* value);
// How many attributes an element has (overrides are told apart by it).
int CountSkinAttributes(const pugi::xml_node& element);
// An attribute's or element's text as UTF-16; empty when absent.
CString SkinText(const pugi::xml_attribute& attribute);
CString SkinText(const pugi::xml_node& element);

// A skin rectangle as written: right holds the width and bottom the height.
struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The pictures of a button, in the skin's element names, and its rectangle.
struct ButtonBitmaps {
    CBitmap* sbmn = nullptr;
    CBitmap* sbmo = nullptr;
    CBitmap* sbmd = nullptr;
    CBitmap* sbmds = nullptr;
    CBitmap* sbmm = nullptr;
    CRect rect;
};

// The six pictures of a vertical scroll bar and its border width.
struct ScrollBarBitmaps {
    CBitmap* top = nullptr;
    CBitmap* bottom = nullptr;
    CBitmap* arrowUp = nullptr;
    CBitmap* arrowDown = nullptr;
    CBitmap* span = nullptr;
    CBitmap* thumb = nullptr;
    int32_t borderWidth = 0;
};

struct FillInfo {
    COLORREF fillColour = 0;
    COLORREF backColour = 0;
    CRect rect;
};

struct TextInfo {
    CString name;
    CString textKey;
    CRect rect;
    CFontItem* font = nullptr;
    COLORREF fontColour = 0;
    COLORREF backColour = 0;
};

// One named picture slot of a reader's list.
struct BitmapSlot {
    const char* name;
    CBitmap** slot;
};

// One shared picture of a list, found again by name.
struct SharedBitmap {
    const char* name;
    CBitmap* picture;
};

// Symbolic id of the 'name' attribute; -1 when absent or unknown (builders
// make no item then).
int32_t ReadNameId(const pugi::xml_node& element);
CFontItem* ReadFontAttr(const pugi::xml_node& element, int32_t itemId, const CGUIItems* items);
// All 0 unless the element itself is a RECT element.
SkinRect ReadRectElement(const pugi::xml_node& element);
// The item rectangle (left, top, left + width, top + height) of the RECT
// child, or of the language's "RECT" override of the item.
CRect ReadItemRect(int32_t itemId, const pugi::xml_node& element);

// The picture named by the text of the child element 'name'; null when the
// element is absent or the picture is missing.
CBitmap* ReadPictureElement(const char* name, const pugi::xml_node& element);
// As ReadPictureElement, but the language's override of that attribute for
// the item names the picture instead.
CBitmap* ReadLangBitmapAttr(int32_t itemId, const char* name, const pugi::xml_node& element);
// A BMPINFO element, the one reader of it for every element that carries
// one: its BMPDATA picture, its BMPMASK mask and the item rectangle of its
// RECT go into the record, its 'name' (the slot it fills) into *slotName
// when asked.  False, the record unchanged, for another element.
bool ReadBitmapInfo(const pugi::xml_node& element, PictureRecord& record, CString* slotName = nullptr);
// Every slot is set, to null for an absent element.
void ReadBitmapAttrList(const pugi::xml_node& element, std::initializer_list<BitmapSlot> slots);
// True when the set's SBMN picture is there afterwards; absent elements
// leave their slots as they were.
bool ReadButtonBitmaps(const pugi::xml_node& element, int32_t itemId, ButtonBitmaps& set);
// The picture of the first entry of that name (ignoring case); null if none.
CBitmap* FindSharedBitmap(const char* name, const std::vector<SharedBitmap>& pictures);

// True and the colour when the attribute is there; an unknown colour name
// gives 0xFFFFFFFF.
bool ReadColourAttr(const char* attributeName, const pugi::xml_node& element, COLORREF& colour);
bool ReadTooltipAttr(const pugi::xml_node& element, CString& text);
bool ReadTooltipPrefix(const pugi::xml_node& element, CString& text, CString& prefix);
// 'R', 'T' or 'B' when the value begins with that capital, else 'L'.
wchar_t ReadTooltipPos(const pugi::xml_node& element);
bool ReadTooltipEnabled(const pugi::xml_node& element);
// False and 1 without the attribute.
bool ReadMultiplier(const pugi::xml_node& element, int32_t& value);
// 1 for upper case ("U..."), 2 for lower case ("L..."), else 0.
int32_t ReadCaps(const pugi::xml_node& element, int32_t itemId);
// 'C' or 'R' when the value begins with that capital, else 'L'.
wchar_t ReadJustify(const pugi::xml_node& element);
bool ReadMultiline(int32_t itemId, const pugi::xml_node& element);
bool ReadIsCheckbox(const pugi::xml_node& element);
bool ReadInteractive(const pugi::xml_node& element, bool defaultValue);
bool ReadDynamic(const pugi::xml_node& element);

// The window object of the picture window (type code 1) that the attribute
// names; null otherwise.
CWnd* ReadBitmapItemRef(const char* attributeName, const pugi::xml_node& element, const CGUIItems& items);
// The window object of the slider track (type code 25) named by 'trackid'.
CWnd* ReadTrackRef(const pugi::xml_node& element, const CGUIItems& items);

// A LISTCOLUMN's width: the language's override for the column, else the
// skin's; negative counts 0.
int ReadListColumnWidth(int32_t columnId, const pugi::xml_node& column);

// The bar's width (border plus the widest picture) and its pictures; 0 and
// the set unchanged without a VSCROLL child or its thumb picture.
int32_t ReadVScrollElement(const pugi::xml_node& element, ScrollBarBitmaps& set);
bool ReadFillInfo(const pugi::xml_node& element, FillInfo& record);
// False when 'name' or the RECT child is missing.
bool ReadTextInfo(const pugi::xml_node& element, const CGUIItems* items, TextInfo& record);

#include "gui/skin/AttributeReaders.h"

#include "gui/widgets/CBitmapWindow.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolTables.h"
#include "platform/CBitmap.h"
#include "platform/CWnd.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

template <typename Char>
int32_t ParseNumber(const Char* text) {
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';
    // Accumulated as a negative number, whose range reaches INT32_MIN.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

const CLangTable::Attribute* LanguageOverride(int32_t itemId, const wchar_t* name) {
    const CLangTable* table = CLangTable::GetCurrent();
    return table && itemId != -1 ? table->GetAttribute(itemId, name) : nullptr;
}

CRect ItemRectOf(const SkinRect& r) {
    // 64-bit sums: a skin's large numbers clamp instead of wrapping.
    auto clamp = [](int64_t v) {
        return static_cast<int32_t>(std::max<int64_t>(std::numeric_limits<int32_t>::min(),
                                                      std::min<int64_t>(std::numeric_limits<int32_t>::max(), v)));
    };
    return CRect(r.left, r.top, clamp(int64_t{r.left} + r.width), clamp(int64_t{r.top} + r.height));
}

int32_t PictureWidth(const CBitmap* picture) {
    BITMAP info = {};
    return picture && picture->GetBitmap(&info) ? info.bmWidth : 0;
}

CGUIItem* FindItemOfType(const pugi::xml_attribute& attribute, const CGUIItems& items, int32_t type) {
    if (!attribute)
        return nullptr;
    int32_t id = FindSymbolId(SkinText(attribute));
    CGUIItem* item = id == -1 ? nullptr : items.FindById(id);
    return item && item->m_itemType == type ? item : nullptr;
}

}  // namespace

int32_t ParseSkinNumber(const char* text) { return ParseNumber(text); }

int32_t ParseSkinNumber(const wchar_t* text) { return ParseNumber(text); }

bool IsSkinTrue(const char* value) {
    if (!value)
        return false;
    switch (value[0]) {
    case '1': case 't': case 'T': case 'y': case 'Y': return true;
    default: return false;
    }
}

int CountSkinAttributes(const pugi::xml_node& element) {
    int count = 0;
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute())
        ++count;
    return count;
}

CString SkinText(const pugi::xml_attribute& attribute) { return CString::FromUtf8(attribute.value()); }

CString SkinText(const pugi::xml_node& element) { return CString::FromUtf8(element.text().get()); }

int32_t ReadNameId(const pugi::xml_node& element) {
    pugi::xml_attribute name = element.attribute("name");
    return name ? FindSymbolId(SkinText(name)) : -1;
}

CFontItem* ReadFontAttr(const pugi::xml_node& element, int32_t itemId, const CGUIItems* items) {
    pugi::xml_attribute attribute = element.attribute("fontid");
    int32_t id = attribute ? FindSymbolId(SkinText(attribute)) : -1;
    int32_t replaced = -1;
    if (const CLangTable::Attribute* entry = LanguageOverride(itemId, L"fontid"))
        replaced = FindSymbolId(entry->Text());
    if (replaced != -1)
        id = replaced;
    else if (id != -1)
        id = CLangTable::MapId(id);
    if (id == -1 || !items)
        return nullptr;
    CGUIItem* item = items->FindById(id);
    return item && item->m_itemType == kItemFont ? dynamic_cast<CFontItem*>(item) : nullptr;
}

SkinRect ReadRectElement(const pugi::xml_node& element) {
    SkinRect r;
    if (!element || CompareNoCase(CString::FromUtf8(element.name()), L"RECT") != 0)
        return r;
    r.left = ParseSkinNumber(element.attribute("left").value());
    r.top = ParseSkinNumber(element.attribute("top").value());
    r.width = ParseSkinNumber(element.attribute("right").value());
    r.height = ParseSkinNumber(element.attribute("bottom").value());
    return r;
}

CRect ReadItemRect(int32_t itemId, const pugi::xml_node& element) {
    if (const CLangTable::Attribute* entry = LanguageOverride(itemId, L"RECT")) {
        int32_t values[4];
        // Only an override of exactly four numbers is a rectangle.
        if (entry->GetRect(values))
            return ItemRectOf(SkinRect{values[0], values[1], values[2], values[3]});
    }
    pugi::xml_node rect = element.child("RECT");
    return rect ? ItemRectOf(ReadRectElement(rect)) : CRect(0, 0, 0, 0);
}

CBitmap* ReadPictureElement(const char* name, const pugi::xml_node& element) {
    pugi::xml_node picture = element.child(name);
    return picture ? GetSkinPictureByAttribute(picture.text().get()) : nullptr;
}

CBitmap* ReadLangBitmapAttr(int32_t itemId, const char* name, const pugi::xml_node& element) {
    if (const CLangTable::Attribute* entry = LanguageOverride(itemId, CString::FromUtf8(name)))
        return GetSkinPictureByAttribute(entry->Text().ToUtf8().c_str());
    return ReadPictureElement(name, element);
}

bool ReadBitmapInfo(const pugi::xml_node& element, PictureRecord& record, CString* slotName) {
    if (!element || std::strcmp(element.name(), "BMPINFO") != 0)
        return false;
    record.picture = ReadPictureElement("BMPDATA", element);
    record.second = ReadPictureElement("BMPMASK", element);
    record.rect = ReadItemRect(-1, element);
    if (slotName)
        *slotName = SkinText(element.attribute("name"));
    return true;
}

void ReadBitmapAttrList(const pugi::xml_node& element, std::initializer_list<BitmapSlot> slots) {
    for (const BitmapSlot& slot : slots)
        if (slot.slot)
            *slot.slot = ReadPictureElement(slot.name, element);
}

bool ReadButtonBitmaps(const pugi::xml_node& element, int32_t itemId, ButtonBitmaps& set) {
    const BitmapSlot slots[] = {
        {"SBMN", &set.sbmn}, {"SBMO", &set.sbmo}, {"SBMD", &set.sbmd}, {"SBMDS", &set.sbmds}, {"SBMM", &set.sbmm},
    };
    for (const BitmapSlot& slot : slots)
        if (element.child(slot.name))
            *slot.slot = ReadPictureElement(slot.name, element);
    set.rect = ReadItemRect(itemId, element);
    return set.sbmn != nullptr;
}

CBitmap* FindSharedBitmap(const char* name, const std::vector<SharedBitmap>& pictures) {
    const CString wanted = CString::FromUtf8(name ? name : "");
    for (const SharedBitmap& entry : pictures)
        if (CompareNoCase(CString::FromUtf8(entry.name), wanted) == 0)
            return entry.picture;
    return nullptr;
}

bool ReadColourAttr(const char* attributeName, const pugi::xml_node& element, COLORREF& colour) {
    pugi::xml_attribute attribute = element.attribute(attributeName);
    if (!attribute)
        return false;
    colour = FindColour(SkinText(attribute));
    return true;
}

bool ReadTooltipAttr(const pugi::xml_node& element, CString& text) {
    pugi::xml_attribute attribute = element.attribute("tooltip");
    if (!attribute)
        return false;
    text = SkinText(attribute);
    return true;
}

bool ReadTooltipPrefix(const pugi::xml_node& element, CString& text, CString& prefix) {
    bool result = ReadTooltipAttr(element, text);
    prefix.Empty();
    if (pugi::xml_attribute attribute = element.attribute("ttprefix"))
        prefix = SkinText(attribute);
    return result;
}

wchar_t ReadTooltipPos(const pugi::xml_node& element) {
    const char first = element.attribute("ttpos").value()[0];
    return first == 'R' || first == 'T' || first == 'B' ? static_cast<wchar_t>(first) : L'L';
}

bool ReadTooltipEnabled(const pugi::xml_node& element) {
    pugi::xml_attribute attribute = element.attribute("ttenabled");
    return attribute ? IsSkinTrue(attribute.value()) : true;
}

bool ReadMultiplier(const pugi::xml_node& element, int32_t& value) {
    pugi::xml_attribute attribute = element.attribute("multiplier");
    if (!attribute) {
        value = 1;
        return false;
    }
    value = ParseSkinNumber(attribute.value());
    return true;
}

int32_t ReadCaps(const pugi::xml_node& element, int32_t itemId) {
    CString text = SkinText(element.attribute("caps"));
    if (const CLangTable::Attribute* entry = LanguageOverride(itemId, L"caps"))
        text = entry->Text();
    const wchar_t first = text.IsEmpty() ? 0 : text.GetString()[0];
    return first == L'U' ? 1 : first == L'L' ? 2 : 0;
}

wchar_t ReadJustify(const pugi::xml_node& element) {
    const char first = element.attribute("justify").value()[0];
    return first == 'C' || first == 'R' ? static_cast<wchar_t>(first) : L'L';
}

bool ReadMultiline(int32_t itemId, const pugi::xml_node& element) {
    if (const CLangTable::Attribute* entry = LanguageOverride(itemId, L"multiline"))
        return ParseSkinNumber(entry->Text()) == 1;
    pugi::xml_attribute attribute = element.attribute("multiline");
    return attribute && ParseSkinNumber(attribute.value()) == 1;
}

bool ReadIsCheckbox(const pugi::xml_node& element) {
    pugi::xml_attribute attribute = element.attribute("ischeckbox");
    return attribute && IsSkinTrue(attribute.value());
}

bool ReadInteractive(const pugi::xml_node& element, bool defaultValue) {
    pugi::xml_attribute attribute = element.attribute("interactive");
    return attribute ? IsSkinTrue(attribute.value()) : defaultValue;
}

bool ReadDynamic(const pugi::xml_node& element) {
    pugi::xml_attribute attribute = element.attribute("dynamic");
    return attribute ? IsSkinTrue(attribute.value()) : true;
}

CWnd* ReadBitmapItemRef(const char* attributeName, const pugi::xml_node& element, const CGUIItems& items) {
    return dynamic_cast<CWnd*>(FindItemOfType(element.attribute(attributeName), items, kItemBitmapItem));
}

CWnd* ReadTrackRef(const pugi::xml_node& element, const CGUIItems& items) {
    return dynamic_cast<CWnd*>(FindItemOfType(element.attribute("trackid"), items, kItemSliderTrack));
}

int32_t ReadVScrollElement(const pugi::xml_node& element, ScrollBarBitmaps& set) {
    pugi::xml_node scroll = element.child("VSCROLL");
    CBitmap* thumb = scroll ? ReadPictureElement("VSBMP_TMB", scroll) : nullptr;
    if (!thumb)
        return 0;
    ScrollBarBitmaps read;
    ReadBitmapAttrList(scroll, {{"VSBMP_TOP", &read.top}, {"VSBMP_BOT", &read.bottom}, {"VSBMP_AUP", &read.arrowUp},
                                {"VSBMP_ADN", &read.arrowDown}, {"VSBMP_SPN", &read.span}, {"VSBMP_TMB", &read.thumb}});
    read.borderWidth = ParseSkinNumber(scroll.attribute("bdrwidth").value());
    set = read;
    int32_t widest = 0;
    for (const CBitmap* picture : {read.top, read.bottom, read.arrowUp, read.arrowDown, read.span, read.thumb})
        widest = std::max(widest, PictureWidth(picture));
    return read.borderWidth + widest;
}

bool ReadFillInfo(const pugi::xml_node& element, FillInfo& record) {
    pugi::xml_node fill = element.child("FILLINFO");
    SkinRect r = ReadRectElement(fill.child("RECT"));
    if (int64_t{r.width} + r.height == 0)
        return false;
    record.rect = ItemRectOf(r);
    bool hasFill = ReadColourAttr("fillclr", fill, record.fillColour);
    ReadColourAttr("backclr", fill, record.backColour);
    return hasFill;
}

bool ReadTextInfo(const pugi::xml_node& element, const CGUIItems* items, TextInfo& record) {
    pugi::xml_attribute name = element.attribute("name");
    if (!name || !element.child("RECT"))
        return false;
    record.name = SkinText(name);
    record.rect = ReadItemRect(-1, element);
    ReadColourAttr("fontclr", element, record.fontColour);
    ReadColourAttr("backclr", element, record.backColour);
    if (element.attribute("fontid"))
        record.font = items ? ReadFontAttr(element, -1, items) : nullptr;
    if (pugi::xml_attribute key = element.attribute("textkey"))
        record.textKey = SkinText(key);
    return true;
}

int ReadListColumnWidth(int32_t columnId, const pugi::xml_node& column) {
    int32_t width = ParseSkinNumber(column.attribute("width").value());
    if (const CLangTable* table = CLangTable::GetCurrent())
        if (const CLangTable::Attribute* entry = table->GetWidth(columnId))
            width = ParseSkinNumber(entry->Text());
    return width < 0 ? 0 : width;
}

#include "gui/skin/SkinLoader.h"

#include "gui/widgets/CAPMSlider.h"
#include "gui/widgets/CAVIButton.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CBitmapItem.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/widgets/CDMarker.h"
#include "gui/widgets/CDPIStageWindow.h"
#include "gui/widgets/CDropdownColorButton.h"
#include "gui/widgets/CDropdownListItem.h"
#include "gui/widgets/CEditItem.h"
#include "gui/widgets/CEditItemSingleKeyInput.h"
#include "gui/widgets/CEditItemSingleKeyInputMMO.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/CGUIItemFactory.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/skin/CKeyboardLayoutSetting.h"
#include "gui/skin/CLangTable.h"
#include "gui/widgets/CKeyboardKeyItem.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CMacroDisplayItem.h"
#include "gui/widgets/CProgressPanelItem.h"
#include "gui/core/CPanelBitmap.h"
#include "gui/widgets/CSliderHMulti.h"
#include "gui/widgets/CSliderTrack.h"
#include "gui/widgets/CTextItem.h"
#include "gui/widgets/CVertSlider.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CXListCtrl.h"

#include <cstring>

namespace {

HWND g_progressWindow = nullptr;

// The widgets' builders, as the table calls them.
template <typename Item>
CGUIItem* Build(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    return Item::CreateFromElement(element, parent, items);
}

CGUIItem* BuildLanguage(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    const int32_t wanted = CLangTable::GetCurrentLanguageId();
    if (wanted != -1 && ReadNameId(element) != wanted)
        return nullptr;
    CLangTable* table = CLangTable::CreateFromElement(element, parent);
    CLangTable::Register(table);
    return table;
}

CGUIItem* BuildLayout(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    CKeyboardLayoutSetting* setting = CKeyboardLayoutSetting::CreateFromElement(element, parent);
    CKeyboardLayoutSetting::Register(setting);
    return setting;
}

CGUIItem* BuildFont(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    return CGUIItemFactory::CreateFont(element, parent);
}

const char* const kKeyboardDefLabel = "KEYBOARD DEF";
const char* const kKeyboardKeysLabel = "KEYBOARD KEYS";

const std::vector<SkinListEntry> kTable = {
    {"LANGUAGES", "LANGLIST", {{"LANG", BuildLanguage, false}}},
    {kKeyboardDefLabel, nullptr, {{"KEYBOARDDEF", nullptr, false}}},
    {"KEYBOARD LAYOUTS", "KBLAYOUTLIST", {{"KBLAYOUT", BuildLayout, false}}},
    {"FONTS", "FONTLIST", {{"FONT", BuildFont, false}}},
    {"BITMAPS", "BITMAPLIST", {{"BITMAPITEM", Build<CBitmapItem>, false}, {"SLIDERTRACK", Build<CSliderTrack>, false},
                               {"BITMAPWINDOW", Build<CBitmapWindow>, false}}},
    {"BUTTONS", "BUTTONLIST", {{"BUTTON", Build<CBitmapBtn>, false}, {"AVIBUTTON", Build<CAVIButton>, true}}},
    {"SLIDERS", "SLIDERLIST", {{"VSLIDER", Build<CVertSlider>, false}, {"HSLIDERM", Build<CSliderHMulti>, false},
                               {"HSLIDERMAPM", Build<CAPMSlider>, false}, {"DMARKER", Build<CDMarker>, false}}},
    {"TEXT ITEMS", "TEXTLIST", {{"TEXTITEM", Build<CTextItem>, false}}},
    {"DPI STAGE WINDOWS", "DPISTAGELIST", {{"DPISTAGEWINDOW", Build<CDPIStageWindow>, false}}},
    {"MACRO DISPLAYS", "MACRODISPLAYLIST", {{"MACRODISPLAY", Build<CMacroDisplayItem>, false}}},
    {"LISTS", "LISTLIST", {{"LISTCTRL", Build<CXListCtrl>, false}, {"COMBO", Build<CDropdownListItem>, false}, {"COMBOCOLOR", Build<CDropdownColorButton>, false}}},
    {"LIST PANELS", "LISTPANELLIST", {{"LISTPANEL", Build<CListPanelItem>, false}}},
    {"EDIT CONTROLS", "EDITCTRLLIST", {{"EDITCTRL", Build<CEditItem>, false},
                                       {"EDITCTRLSK", Build<CEditItemSingleKeyInput>, false},
                                       {"EDITCTRLSKMMO", Build<CEditItemSingleKeyInputMMO>, false}}},
    {kKeyboardKeysLabel, "KBDKEYLIST", {{"BUTTONBITMAPS", nullptr, false}, {"KBDKEY", nullptr, false}}},
    {"PROGRESS PANELS", "PROGRESSPANELLIST", {{"PROGRESSPANELITEM", Build<CProgressPanelItem>, false}}},
};

uint32_t MakeResult(uint32_t seen, uint32_t built) { return (seen & 0xFFFF) << 16 | (built & 0xFFFF); }

uint32_t RunListEntry(const SkinListEntry& entry, const pugi::xml_node& root, CGUIItems& items, CWnd* parent) {
    pugi::xml_node list = root.child(entry.listElement);
    if (!list)
        return 0;
    uint32_t seen = 0, built = 0;
    for (const SkinItemElement& kind : entry.items) {
        for (pugi::xml_node element = list.child(kind.name); element; element = element.next_sibling(kind.name)) {
            ++seen;
            if (CGUIItem* item = kind.build ? kind.build(element, parent, items) : nullptr) {
                ++built;
                items.Append(item);
            }
            if (kind.firstOnly)
                break;
        }
    }
    return MakeResult(seen, built);
}

// The definition belongs to the process, never to the list: it is read
// here and counted, not appended.
uint32_t RunKeyboardDef(const pugi::xml_node& root, CWnd* parent) {
    pugi::xml_node element = root.child("KEYBOARDDEF");
    if (!element)
        return 0;
    return MakeResult(1, GetKeyboardDef().ReadElement(element, parent) ? 1 : 0);
}

uint32_t RunKeyboardKeys(const pugi::xml_node& root, CGUIItems& items, CWnd* parent) {
    pugi::xml_node list = root.child("KBDKEYLIST");
    if (!list)
        return 0;
    CWnd* pictureWindow = ReadBitmapItemRef("windowid", list, items);
    pugi::xml_node shared = list.child("BUTTONBITMAPS");
    if (!shared)
        return 0;
    std::vector<SharedBitmap> pictures;
    for (const char* name : {"SBMN", "SBMO", "SBMD", "SBMDS", "SBMM"})
        pictures.push_back(SharedBitmap{name, ReadPictureElement(name, shared)});
    uint32_t seen = 0, built = 0;
    for (pugi::xml_node key = list.child("KBDKEY"); key; key = key.next_sibling("KBDKEY")) {
        ++seen;
        CGUIItem* item = CKeyboardKeyItem::CreateFromElement(key, pictureWindow ? pictureWindow : parent, items,
                                                             pictures, parent);
        if (item) {
            ++built;
            items.Append(item);
        }
    }
    return MakeResult(seen, built);
}

// BACKGROUND or MASK: a copy of the picture its text names.
bool ReadPanelPicture(const pugi::xml_node& root, const char* name, CGUIItems& items, CWnd* parent) {
    pugi::xml_node element = root.child(name);
    const CBitmap* picture = element ? GetSkinPictureByAttribute(element.text().get()) : nullptr;
    if (!picture)
        return false;
    const CString itemName = CString::FromUtf8(name);
    int32_t id = CompareNoCase(itemName, L"BACKGROUND") == 0 ? kBackgroundItemId
                 : CompareNoCase(itemName, L"MASK") == 0     ? kMaskItemId
                                                            : FindSymbolId(itemName);
    auto* bitmap = new CPanelBitmap(picture, parent);
    bitmap->SetItemFields(id, kItemPanelBitmap, nullptr, parent);
    items.Append(bitmap);
    return true;
}

bool WalkTable(CGUIItemFactory& factory, const pugi::xml_node& root, CGUIItems& items, CWnd* parent) {
    for (size_t i = 0; i < kTable.size(); ++i) {
        factory.SendProgress(static_cast<int>(6 * i));
        RunSkinListHandler(i, root, items, parent);
    }
    factory.SendProgress(100);
    return true;
}

CString BareFileName(const CString& path) {
    int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

}  // namespace

const std::vector<SkinListEntry>& GetSkinListTable() { return kTable; }

uint32_t RunSkinListHandler(size_t index, const pugi::xml_node& root, CGUIItems& items, CWnd* parent) {
    if (index >= kTable.size())
        return 0;
    const SkinListEntry& entry = kTable[index];
    if (entry.label == kKeyboardDefLabel)
        return RunKeyboardDef(root, parent);
    if (entry.label == kKeyboardKeysLabel)
        return RunKeyboardKeys(root, items, parent);
    return RunListEntry(entry, root, items, parent);
}

void SetSkinLoadProgressWindow(HWND window) { g_progressWindow = window; }

bool LoadXmlDescription(CGUIItems* items, const wchar_t* fileName, CWnd* parent, bool progress) {
    const CString path = GetApplicationDirectory() + L"xml\\" + (fileName ? fileName : L"");
    return LoadGUIFromXml(path, parent, items, progress);
}

bool LoadGUIFromXml(const wchar_t* path, CWnd* parent, CGUIItems* items, bool progress) {
    if (!items)
        return false;
    const CString filePath = path ? path : L"";
    auto* factory = new CGUIItemFactory(filePath);
    if (progress) {
        SetCurrentProgressMessenger(factory);
        AttachProgressMessenger();
        if (g_progressWindow)
            factory->AddWindow(g_progressWindow);
    }
    bool result = false;
    pugi::xml_document document;
    if (document.load_file(filePath.GetString())) {
        factory->SendProgressText(BareFileName(filePath));
        if (pugi::xml_node root = document.child("KEYBOARD")) {
            // Read here and met again by the table's "KEYBOARD DEF" entry in
            // the walk: on purpose, the second read parses nothing and only
            // applies the key defaults again (the layout file can so be
            // loaded through either road).
            if (GetKeyboardDef().ReadElement(root.child("KEYBOARDDEF"), parent))
                result = WalkTable(*factory, root, *items, parent);
        } else if (pugi::xml_node root = document.child("GUIPANEL")) {
            if (ReadPanelPicture(root, "BACKGROUND", *items, parent) && ReadPanelPicture(root, "MASK", *items, parent))
                result = WalkTable(*factory, root, *items, parent);
        } else if (pugi::xml_node root = document.child("ITEMLIST")) {
            result = WalkTable(*factory, root, *items, parent);
        }
    }
    if (progress)
        DetachProgressMessenger();
    delete factory;
    SetCurrentProgressMessenger(nullptr);
    return result;
}

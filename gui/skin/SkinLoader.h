#pragma once
// Reads a skin file (an XML document in the "xml\" folder) into an item
// list under a parent window.  The document's root is KEYBOARD, GUIPANEL or
// ITEMLIST; under it stand list elements, each read by one entry of a fixed
// table, in the table's order, so an item can refer only to items of
// entries before it (fonts before everything that names a font).

#include "gui/skin/AttributeReaders.h"
#include "gui/core/CGUIItems.h"

#include <pugixml.hpp>

#include <windows.h>

#include <cstdint>
#include <vector>

class CWnd;

// application directory + "xml\" + file name, then LoadGUIFromXml.
bool LoadXmlDescription(CGUIItems* items, const wchar_t* fileName, CWnd* parent, bool progress);
// False at once without a list, and for a file that is missing, does not
// parse, or has none of the three roots.  What was built stays in the list
// whatever the result.
bool LoadGUIFromXml(const wchar_t* path, CWnd* parent, CGUIItems* items, bool progress);

// A window that loads with progress reporting report to, besides the
// observers added otherwise; null for none.
void SetSkinLoadProgressWindow(HWND window);

// A builder of one item element: the new item, or null.
using ItemBuilder = CGUIItem* (*)(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);
// The keyboard key's builder also gets the shared key pictures and the
// loader's own parent window.
using KeyItemBuilder = CGUIItem* (*)(const pugi::xml_node& element, CWnd* parent, CGUIItems& items,
                                     const std::vector<SharedBitmap>& pictures, CWnd* loaderParent);

struct SkinItemElement {
    const char* name;
    ItemBuilder build;    // null: the element is counted, nothing is built
    bool firstOnly;       // only the first element of the name is built
};

struct SkinListEntry {
    const char* label;
    const char* listElement;  // null: the item element stands under the root
    std::vector<SkinItemElement> items;
};

// The fifteen entries, in the order they run.
const std::vector<SkinListEntry>& GetSkinListTable();
// Runs one entry's handler over a root element: (items seen << 16) | items
// built, 16 bits each; 0 when its list element is absent.
uint32_t RunSkinListHandler(size_t index, const pugi::xml_node& root, CGUIItems& items, CWnd* parent);

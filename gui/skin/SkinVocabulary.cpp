#include "gui/skin/SkinVocabulary.h"

#include "gui/skin/CGUIResource.h"
#include "gui/skin/SkinLoader.h"

#include <cstring>

namespace {

bool Equal(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

template <size_t N>
bool InList(const char* name, const char* const (&list)[N]) {
    for (const char* entry : list)
        if (Equal(entry, name))
            return true;
    return false;
}

const char* const kRoots[] = {"KEYBOARD", "GUIPANEL", "ITEMLIST"};

const char* const kPictureElements[] = {
    "BACKGROUND", "MASK",      "SBMN",      "SBMO",      "SBMD",      "SBMDS",     "SBMM",
    "BMPMASK",    "VSBMP_TOP", "VSBMP_BOT", "VSBMP_AUP", "VSBMP_ADN", "VSBMP_SPN", "VSBMP_TMB",
    "BMPDATA",    "MARK",
};

// Elements the readers look for inside item and list elements.
const char* const kInnerElements[] = {
    "RECT", "VSCROLL", "FILLINFO", "LANGFONT", "LANGOVERRIDE", "LANGOVERRIDECOL",
    "CLIST", "CBOX", "COMBOITEMS", "COMBOITEM", "LISTPANELITEMS", "LISTPANELITEM",
    "LISTHDR", "LISTCOLUMN", "BMPINFO", "STAGES", "STAGE", "TEXTAREA", "TEXTINFOLIST", "TEXTINFO",
};

const char* const kIdAttributes[] = {"fontid", "windowid", "trackid", "checkboxid", "fontsearch", "fontreplace"};

const char* const kColourAttributes[] = {
    "fontclr",  "fontclrhi",   "fontclrsel",  "disbfontclr", "backclr", "backclrhi",
    "backclrsel", "disbbackclr", "bdrclr",     "disbbdrclr",  "fillclr",
};

const SkinFileReference kFileReferences[] = {
    {"LANG", "file", kResourceLanguage},
    {"KEYBOARDDEF", "file", kResourceBinary},
    {"KEYBOARDDEF", "kbddefaults", kResourceBinary},
    {"FONT", nullptr, kResourceFont},
    {"MACRODISPLAY", "MDBMP_KEYDN", kResourcePicture},
    {"MACRODISPLAY", "MDBMP_KEYUP", kResourcePicture},
    {"MACRODISPLAY", "MDBMP_CLK", kResourcePicture},
    {"MACRODISPLAY", "MDBMP_CLKH", kResourcePicture},
    {"MACRODISPLAY", "MDBMP_MSE", kResourcePicture},
    {"MACRODISPLAY", "MDBMP_MSEH", kResourcePicture},
};

bool IsTableElement(const char* name, bool itemsOnly) {
    for (const SkinListEntry& entry : GetSkinListTable()) {
        if (!itemsOnly && Equal(entry.listElement, name))
            return true;
        for (const SkinItemElement& item : entry.items)
            if (Equal(item.name, name))
                return true;
    }
    return false;
}

}  // namespace

bool IsKnownSkinElement(const char* name) {
    return InList(name, kRoots) || InList(name, kPictureElements) || InList(name, kInnerElements) ||
           IsTableElement(name, false);
}

bool IsPictureElement(const char* name) { return InList(name, kPictureElements); }

bool IsSymbolIdAttribute(const char* element, const char* attribute) {
    if (InList(attribute, kIdAttributes))
        return true;
    // An item's name is its symbolic id; a column override names a column.
    return Equal(attribute, "name") && (IsTableElement(element, true) || Equal(element, "LANGOVERRIDE"));
}

bool IsSymbolIdText(const char* element) { return Equal(element, "STAGE"); }

bool IsColourAttribute(const char* attribute) { return InList(attribute, kColourAttributes); }

bool IsListColumnAttribute(const char* element, const char* attribute) {
    return Equal(element, "LISTCOLUMN") && Equal(attribute, "name");
}

bool IsCellTypeAttribute(const char* element, const char* attribute) {
    return Equal(element, "LISTCOLUMN") && Equal(attribute, "type");
}

const SkinFileReference* FindSkinFileReference(const char* element, const char* attribute) {
    for (const SkinFileReference& reference : kFileReferences)
        if (Equal(reference.element, element) &&
            (reference.attribute ? Equal(reference.attribute, attribute) : attribute == nullptr))
            return &reference;
    return nullptr;
}

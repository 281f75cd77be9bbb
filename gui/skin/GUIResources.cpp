#include "gui/skin/GUIResources.h"

#include "platform/CBitmap.h"

namespace {

struct ResourceList {
    std::vector<CGUIResource*> entries;
    ~ResourceList() { ReleaseAll(); }
    void ReleaseAll() {
        while (!entries.empty()) {
            CGUIResource* entry = entries.back();
            entries.pop_back();
            delete entry;
        }
    }
};

ResourceList& List() {
    static ResourceList list;
    return list;
}

// Built during static initialisation, so it is destroyed after everything
// that was built later and may still hold pointers into it.
[[maybe_unused]] ResourceList& g_list = List();

CString& AppDirectory() {
    static CString directory;
    return directory;
}

CGUIResource* FindEntry(const wchar_t* name, int32_t kind) {
    for (CGUIResource* entry : List().entries)
        if (entry->GetKind() == kind && CompareNoCase(entry->GetName(), name) == 0)
            return entry;
    return nullptr;
}

CString TrimmedSkinText(const char* text) {
    CString name = CString::FromUtf8(text ? text : "");
    name.TrimRight();
    name.TrimLeft();
    return name;
}

}  // namespace

void SetApplicationDirectory(const wchar_t* directory) { AppDirectory() = directory ? directory : L""; }

const CString& GetApplicationDirectory() { return AppDirectory(); }

CGUIResource* FindOrLoadGUIResource(const wchar_t* name, int32_t kind) {
    if (!name)
        name = L"";
    if (CGUIResource* found = FindEntry(name, kind))
        return found;
    auto* entry = new CGUIResource(name, kind);
    List().entries.push_back(entry);
    return entry;
}

int32_t GetGUIResourceSize(const wchar_t* name, int32_t kind) {
    const CGUIResource* entry = name ? FindEntry(name, kind) : nullptr;
    return entry ? entry->GetSize() : 0;
}

CBitmap* GetSkinPictureByAttribute(const char* text) {
    return FindOrLoadGUIResource(TrimmedSkinText(text), kResourcePicture)->GetPicture();
}

HBITMAP GetSkinBitmapByAttribute(const char* text) {
    return FindOrLoadGUIResource(TrimmedSkinText(text), kResourceBitmap)->GetBitmapHandle();
}

const CGUIResource* GetLanguageFileByAttribute(const char* text) {
    const CGUIResource* entry = FindOrLoadGUIResource(TrimmedSkinText(text), kResourceLanguage);
    return entry->IsLoaded() ? entry : nullptr;
}

const CGUIResource* GetBinaryFileByName(const wchar_t* name) {
    const CGUIResource* entry = FindOrLoadGUIResource(name, kResourceBinary);
    return entry->IsLoaded() ? entry : nullptr;
}

void ReleaseGUIResources() { List().ReleaseAll(); }

const std::vector<CGUIResource*>& GetGUIResources() { return List().entries; }

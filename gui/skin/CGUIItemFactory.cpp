#include "gui/skin/CGUIItemFactory.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/GUIResources.h"
#include "model/store/CCritSec.h"

#include <cwchar>

void CGUIItemFactory::SendProgress(int percent) {
    CCritSec lock;
    BroadcastProgress(percent, &lock);
}

void CGUIItemFactory::SendProgressText(const wchar_t* text) {
    CCritSec lock;
    BroadcastText(text, &lock);
}

CFontItem* CGUIItemFactory::CreateFont(const pugi::xml_node& element, CWnd* parent) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    LOGFONTW description = {};
    auto positive = [&](const char* name) {
        int32_t value = ParseSkinNumber(element.attribute(name).value());
        return value > 0 ? value : 0;
    };
    description.lfHeight = positive("pitch");
    description.lfWidth = positive("width");
    description.lfWeight = positive("boldlevel");
    description.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    const CString face = SkinText(element.attribute("typeface"));
    wcsncpy(description.lfFaceName, face, CFontItem::kMaxFaceChars);
    description.lfFaceName[CFontItem::kMaxFaceChars] = 0;

    CString fontFile = SkinText(element);
    fontFile.Trim();
    if (!fontFile.IsEmpty())
        FindOrLoadGUIResource(fontFile, kResourceFont);

    auto* font = new CFontItem;
    if (!font->CreateFontIndirect(&description)) {
        delete font;
        return nullptr;
    }
    font->SetItemFields(id, kItemFont, nullptr, parent);
    return font;
}

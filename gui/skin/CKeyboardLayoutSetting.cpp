#include "gui/skin/CKeyboardLayoutSetting.h"

#include "gui/skin/AttributeReaders.h"

#include <map>

namespace {

// Never destroyed: settings leave it from their destructors, which may run
// after every static of this file is gone.
std::map<int32_t, CKeyboardLayoutSetting*>& LayoutMap() {
    static auto* map = new std::map<int32_t, CKeyboardLayoutSetting*>;
    return *map;
}

[[maybe_unused]] auto& g_layoutMap = LayoutMap();

}  // namespace

CKeyboardLayoutSetting::~CKeyboardLayoutSetting() {
    auto& map = LayoutMap();
    auto it = map.find(m_itemId);
    if (it != map.end() && it->second == this)
        map.erase(it);
}

CKeyboardLayoutSetting* CKeyboardLayoutSetting::CreateFromElement(const pugi::xml_node& element, CWnd* parent) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* setting = new CKeyboardLayoutSetting;
    setting->m_layoutName = SkinText(element.attribute("kbdlayout"));
    setting->m_itemsName = SkinText(element.attribute("kbditems"));
    setting->SetItemFields(id, kItemKeyboardLayout, nullptr, parent);
    return setting;
}

void CKeyboardLayoutSetting::Register(CKeyboardLayoutSetting* setting) {
    if (setting)
        LayoutMap()[setting->m_itemId] = setting;
}

CKeyboardLayoutSetting* CKeyboardLayoutSetting::FindByLayoutId(int32_t id) {
    auto it = LayoutMap().find(id);
    return it == LayoutMap().end() ? nullptr : it->second;
}

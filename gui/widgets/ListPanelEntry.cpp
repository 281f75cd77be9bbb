#include "gui/widgets/ListPanelEntry.h"

#include <algorithm>
#include <cstring>

std::vector<int> ListRowOrder(const std::vector<ListPanelEntry>& entries, bool sorted) {
    std::vector<int> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (sorted)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return CompareNoCase(entries[static_cast<size_t>(a)].text, entries[static_cast<size_t>(b)].text) < 0;
        });
    return order;
}

int32_t ReadNonNegative(const pugi::xml_attribute& attribute) {
    const int32_t value = ParseSkinNumber(attribute.value());
    return value < 0 ? 0 : value;
}

void ReadListStyle(const pugi::xml_node& element, ListPanelStyle& style, std::initializer_list<const char*> colours) {
    const struct {
        const char* name;
        COLORREF ListPanelStyle::*field;
    } fields[] = {
        {"fontclr", &ListPanelStyle::fontColour},          {"fontclrhi", &ListPanelStyle::fontColourHot},
        {"fontclrsel", &ListPanelStyle::fontColourSelected}, {"disbfontclr", &ListPanelStyle::disabledFontColour},
        {"backclr", &ListPanelStyle::backColour},          {"backclrhi", &ListPanelStyle::backColourHot},
        {"backclrsel", &ListPanelStyle::backColourSelected}, {"disbbackclr", &ListPanelStyle::disabledBackColour},
        {"bdrclr", &ListPanelStyle::borderColour},
    };
    for (const char* name : colours)
        for (const auto& field : fields)
            if (std::strcmp(field.name, name) == 0)
                ReadColourAttr(name, element, style.*field.field);
    if (pugi::xml_attribute border = element.attribute("bdrwidth"))
        style.borderWidth = ReadNonNegative(border);
}

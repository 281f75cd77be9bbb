#include "gui/skin/CLangTable.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolTables.h"

#include <cstring>

namespace {

constexpr int kMaxKeyChars = 59;
constexpr int kMaxCompareChars = 60;

struct LanguageState {
    std::map<int32_t, CLangTable*> tables;
    CLangTable* current = nullptr;
    int32_t currentLanguageId = -1;
};

// Never destroyed: tables leave it from their destructors, which may run
// after every static of this file is gone.
LanguageState& State() {
    static auto* state = new LanguageState;
    return *state;
}

[[maybe_unused]] LanguageState& g_state = State();

// A key as the lookups see it: spaces left out, cut at the first line
// break or terminator, at most 59 characters.
CString NormaliseKey(const CString& key) {
    CString out;
    for (int i = 0; i < key.GetLength() && out.GetLength() < kMaxKeyChars; ++i) {
        wchar_t c = key.GetString()[i];
        if (c == 0 || c == L'\n' || c == L'\r')
            break;
        if (c != L' ')
            out += c;
    }
    return out;
}

std::vector<uint8_t> CopyBytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return data ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
}

// The value text of an override, stored with its terminator.
std::vector<uint8_t> TextBytes(const CString& text) {
    return CopyBytes(text.GetString(), (static_cast<size_t>(text.GetLength()) + 1) * sizeof(wchar_t));
}

void ReadFontMap(const pugi::xml_node& element, CLangTable& table) {
    for (pugi::xml_node font = element.child("LANGFONT"); font; font = font.next_sibling("LANGFONT")) {
        int32_t search = FindSymbolId(SkinText(font.attribute("fontsearch")));
        int32_t replace = FindSymbolId(SkinText(font.attribute("fontreplace")));
        if (search != -1 && replace != -1)
            table.MapFont(search, replace);
    }
}

// The attribute of a two-attribute override that is not 'name'.
pugi::xml_attribute OtherThanName(const pugi::xml_node& element) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute())
        if (std::strcmp(a.name(), "name") != 0)
            return a;
    return pugi::xml_attribute();
}

void ReadColumnOverrides(const pugi::xml_node& element, CLangTable& table) {
    for (pugi::xml_node o = element.child("LANGOVERRIDECOL"); o; o = o.next_sibling("LANGOVERRIDECOL")) {
        pugi::xml_attribute value = OtherThanName(o);
        if (CountSkinAttributes(o) != 2 || !o.attribute("name") || !value)
            continue;
        int32_t column = FindListColumnId(SkinText(o.attribute("name")));
        if (column == -1)
            continue;
        std::vector<uint8_t> bytes = TextBytes(SkinText(value));
        table.AddColumnAttribute(column, CString::FromUtf8(value.name()), bytes.data(), bytes.size());
    }
}

void ReadItemOverrides(const pugi::xml_node& element, CLangTable& table) {
    static const char* const kPictureNames[] = {"SBMN", "SBMO", "SBMD", "SBMDS", "SBMM"};
    for (pugi::xml_node o = element.child("LANGOVERRIDE"); o; o = o.next_sibling("LANGOVERRIDE")) {
        const int count = CountSkinAttributes(o);
        if (count == 2) {
            pugi::xml_attribute value = OtherThanName(o);
            int32_t item = FindSymbolId(SkinText(o.attribute("name")));
            if (!o.attribute("name") || !value || item == -1)
                continue;
            std::vector<uint8_t> bytes = TextBytes(SkinText(value));
            table.AddAttribute(item, CString::FromUtf8(value.name()), bytes.data(), bytes.size());
        } else if (count == 1) {
            int32_t item = FindSymbolId(SkinText(o.first_attribute()));
            if (item == -1)
                continue;
            if (pugi::xml_node rect = o.child("RECT")) {
                SkinRect r = ReadRectElement(rect);
                const int32_t values[4] = {r.left, r.top, r.width, r.height};
                table.AddAttribute(item, L"RECT", values, sizeof values);
                continue;
            }
            for (const char* name : kPictureNames) {
                pugi::xml_node picture = o.child(name);
                if (!picture)
                    continue;
                std::vector<uint8_t> bytes = TextBytes(SkinText(picture));
                table.AddAttribute(item, CString::FromUtf8(name), bytes.data(), bytes.size());
            }
        }
    }
}

}  // namespace

CString CLangTable::Attribute::Text() const {
    const auto* units = reinterpret_cast<const wchar_t*>(data.data());
    int length = 0;
    const int available = static_cast<int>(data.size() / sizeof(wchar_t));
    while (length < available && units[length] != 0)
        ++length;
    return CString(units, length);
}

bool CLangTable::Attribute::GetRect(int32_t (&values)[4]) const {
    if (data.size() != sizeof values)
        return false;
    std::memcpy(values, data.data(), sizeof values);
    return true;
}

CLangTable::~CLangTable() {
    LanguageState& state = State();
    auto it = state.tables.find(m_itemId);
    if (it != state.tables.end() && it->second == this)
        state.tables.erase(it);
    if (state.current == this)
        state.current = nullptr;
}

bool CLangTable::Parse(const void* data, size_t size) {
    if (!data)
        return false;
    const auto* units = static_cast<const wchar_t*>(data);
    const size_t count = size / sizeof(wchar_t);
    size_t pos = 0;
    int lineNumber = 0;
    CString key;
    while (pos < count) {
        size_t end = pos;
        while (end < count && units[end] != L'\r')
            ++end;
        CString line(units + pos, static_cast<int>(end - pos));
        pos = end;
        while (pos < count && (units[pos] == L'\r' || units[pos] == L'\n'))
            ++pos;

        if (lineNumber == 0) {
            // The byte-order mark is a property of the file, not of the name.
            if (line.GetLength() > 0 && line.GetString()[0] == 0xFEFF)
                line = line.Mid(1);
            m_displayName = line;
        } else if (lineNumber >= 2) {
            if (line.CompareNoCase(L"END OF FILE") == 0)
                break;
            if (lineNumber % 2 == 0) {
                key = line;
            } else {
                m_texts.emplace_back(key, line);
                ++m_textCount;
            }
        }
        ++lineNumber;
    }
    return m_textCount > 0;
}

bool CLangTable::Translate(const wchar_t* text, CString& out) const {
    const wchar_t marker = text ? text[0] : 0;
    if ((marker == L'$' || marker == L'#') && text[1] != 0) {
        const CString rest(text + 1);
        const CString whole = rest.Left(kMaxCompareChars);
        for (const auto& pair : m_texts) {
            const CString key = NormaliseKey(pair.first);
            bool match = marker == L'$'
                             ? CompareNoCase(key, whole) == 0
                             : rest.GetLength() <= key.GetLength() && CompareNoCase(key.Left(rest.GetLength()), rest) == 0;
            if (match) {
                out = pair.second;
                return true;
            }
        }
    }
    out = text ? text : L"";
    return false;
}

void CLangTable::AddAttribute(int32_t itemId, const wchar_t* name, const void* data, size_t size) {
    m_overrides.push_back(Attribute{itemId, -1, name ? name : L"", CopyBytes(data, size)});
}

void CLangTable::AddColumnAttribute(int32_t columnId, const wchar_t* name, const void* data, size_t size) {
    m_overrides.push_back(Attribute{-1, columnId, name ? name : L"", CopyBytes(data, size)});
}

const CLangTable::Attribute* CLangTable::GetAttribute(int32_t itemId, const wchar_t* name) const {
    for (const Attribute& entry : m_overrides)
        if (entry.columnId == -1 && entry.itemId == itemId && CompareNoCase(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

const CLangTable::Attribute* CLangTable::GetWidth(int32_t columnId) const {
    for (const Attribute& entry : m_overrides)
        if (entry.itemId == -1 && entry.columnId == columnId && CompareNoCase(entry.name, L"width") == 0)
            return &entry;
    return nullptr;
}

CLangTable* CLangTable::CreateFromElement(const pugi::xml_node& element, CWnd* parent) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    const CGUIResource* file = GetLanguageFileByAttribute(element.attribute("file").value());
    if (!file)
        return nullptr;
    auto* table = new CLangTable;
    // A text file that holds no pair still gives the language its
    // overrides and its name.
    table->Parse(file->GetBytes(), static_cast<size_t>(file->GetSize()));
    ReadFontMap(element, *table);
    ReadColumnOverrides(element, *table);
    ReadItemOverrides(element, *table);
    table->SetItemFields(id, kItemLangTable, nullptr, parent);
    return table;
}

int32_t CLangTable::MapId(int32_t fontId) {
    const CLangTable* current = GetCurrent();
    if (!current)
        return fontId;
    auto it = current->m_fontMap.find(fontId);
    return it != current->m_fontMap.end() && it->second != 0 ? it->second : fontId;
}

CLangTable* CLangTable::GetCurrent() noexcept { return State().current; }

void CLangTable::SetCurrent(CLangTable* table) noexcept { State().current = table; }

CLangTable* CLangTable::SelectCurrent(int32_t languageId) {
    CLangTable* table = FindByLanguageId(languageId);
    if (!table)
        table = FindByLanguageId(LANGUAGE_DEFAULT);
    if (table)
        SetCurrent(table);
    return table;
}

int32_t CLangTable::GetCurrentLanguageId() noexcept { return State().currentLanguageId; }

void CLangTable::SetCurrentLanguageId(int32_t id) noexcept { State().currentLanguageId = id; }

void CLangTable::Register(CLangTable* table) {
    if (table)
        State().tables[table->m_itemId] = table;
}

CLangTable* CLangTable::FindByLanguageId(int32_t id) {
    auto it = State().tables.find(id);
    return it == State().tables.end() ? nullptr : it->second;
}

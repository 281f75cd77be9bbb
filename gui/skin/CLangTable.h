#pragma once
// The texts of one language and its overrides of skin attributes.  A shown
// text that begins with "$" is looked up whole, one that begins with "#" by
// prefix, ignoring spaces in the keys and letter case; anything else, and a
// key without a match, is shown as it is.
//
// The tables are built by the LANGUAGES list of the language skin file and
// kept by language id; one of them is the current table that every widget
// translates through.

#include "gui/core/CGUIItem.h"
#include "platform/CString.h"

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class CLangTable : public CGUIItem {
public:
    // An override of one attribute: of an item (columnId -1) or of a list
    // column (itemId -1).  The data is a copy of the value: a UTF-16 text
    // with its terminator, or four int32 for "RECT".
    struct Attribute {
        int32_t itemId;
        int32_t columnId;
        CString name;
        std::vector<uint8_t> data;

        // The value as text, read no further than the data goes.
        CString Text() const;
        // The four int32 of a rectangle override; false unless the data is
        // exactly that size.
        bool GetRect(int32_t (&values)[4]) const;
    };

    CLangTable() = default;
    ~CLangTable() override;

    // Reads a language text file (UTF-16 little-endian, size in bytes);
    // true when at least one pair was read.
    bool Parse(const void* data, size_t size);
    // out = the value found, or text itself when nothing matches (false).
    bool Translate(const wchar_t* text, CString& out) const;

    void AddAttribute(int32_t itemId, const wchar_t* name, const void* data, size_t size);
    void AddColumnAttribute(int32_t columnId, const wchar_t* name, const void* data, size_t size);
    // The first item entry with that id and name (ignoring case); null if none.
    const Attribute* GetAttribute(int32_t itemId, const wchar_t* name) const;
    // The first column entry "width" of that column; null if none.
    const Attribute* GetWidth(int32_t columnId) const;
    void MapFont(int32_t search, int32_t replace) { m_fontMap[search] = replace; }

    const CString& GetDisplayName() const noexcept { return m_displayName; }
    int32_t GetTextCount() const noexcept { return m_textCount; }
    const std::vector<std::pair<CString, CString>>& GetTexts() const noexcept { return m_texts; }
    const std::vector<Attribute>& GetOverrides() const noexcept { return m_overrides; }

    // The LANG element's builder: null for an unknown language id or a text
    // file that cannot be loaded.
    static CLangTable* CreateFromElement(const pugi::xml_node& element, CWnd* parent);

    // The font-id remapping of the current table; fontId itself without one.
    static int32_t MapId(int32_t fontId);

    static CLangTable* GetCurrent() noexcept;
    static void SetCurrent(CLangTable* table) noexcept;
    // Makes the table of that language current; a language without a table
    // (an unknown name in the registry, say) falls back to the default
    // language's table, so the user never sees raw keys while English is
    // there.  Returns the table made current, or null (current unchanged).
    static CLangTable* SelectCurrent(int32_t languageId);

    // The language the LANGUAGES list builds; -1 builds every LANG.
    static int32_t GetCurrentLanguageId() noexcept;
    static void SetCurrentLanguageId(int32_t id) noexcept;
    // The language map: tables by language id, a later one replacing an
    // earlier of the same id.  A table leaves the map when it is deleted.
    static void Register(CLangTable* table);
    static CLangTable* FindByLanguageId(int32_t id);

private:
    std::vector<std::pair<CString, CString>> m_texts;
    int32_t m_textCount = 0;
    CString m_displayName;
    std::map<int32_t, int32_t> m_fontMap;
    std::vector<Attribute> m_overrides;
};

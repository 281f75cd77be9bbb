#pragma once
// The keyboard's keys: the identifier of each key (the hash of its name,
// under which profiles store key assignments), the scan code it sends by
// default, and which key a device key code names.  Read from the binary
// key-definition and key-defaults files that the keyboard skin file's
// KEYBOARDDEF element names.
//
// There is one process-wide definition (GetKeyboardDef); it is the only
// owner of its records, and the loader never hands it to an item list.

#include "gui/core/CGUIItem.h"
#include "model/store/IKeyTable.h"
#include "platform/CString.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

class CKeyboardDef : public CGUIItem, public IKeyTable {
public:
    // One entry of a key code sequence, as stored in the file.
    struct CodeEntry {
        uint16_t code;
        uint8_t flag;
        uint8_t reserved;
    };
    static constexpr int kBlocks = 4;
    static constexpr int kEntriesPerBlock = 10;
    static constexpr uint32_t kMaxNameBytes = 510;

    struct Record {
        int32_t keyId = 0;
        CString name;
        int16_t valueA = 0;
        int16_t valueB = 0;
        CodeEntry sequences[kBlocks][kEntriesPerBlock] = {};
        uint16_t defaultCode = 0;
        uint8_t defaultFlag = 0;  // bit 0: extended key
    };

    struct KeyCode {
        uint16_t code = 0;
        uint8_t flag = 0;
    };

    CKeyboardDef() = default;
    ~CKeyboardDef() override;

    // Reads the key-definition file.  Only the first call that runs to its
    // end reads; later calls give the same result without reading.
    bool Parse(const void* data, size_t size);
    // Reads the key-defaults file; false, nothing changed, unless its size
    // is exactly 4 + 8 * count.
    bool LoadKeyValues(const void* data, size_t size);
    static bool IsAssignableName(const Record& record);

    // The first assignable key, in ascending identifier order, whose
    // default code and flag are the low 16 and next 8 bits of the code; 0
    // when none.
    int32_t FindKey(uint32_t deviceKeyCode) const override;
    // {0, 0} for a key that is not assignable.
    KeyCode GetDefaultCode(int32_t keyId) const;
    // code | flag << 16 of the key defaults; 0 for a key without an entry.
    uint32_t GetKeyTableValue(int32_t keyId) const override;

    // The KEYBOARDDEF element: reads both files from the binary folder;
    // true only when both were read.  Meeting the element again applies the
    // defaults again without reading the definition twice.
    bool ReadElement(const pugi::xml_node& element, CWnd* parent);

    bool IsLoaded() const noexcept { return m_loaded; }
    const std::vector<Record>& GetAllRecords() const noexcept { return m_allRecords; }
    const std::map<int32_t, Record>& GetAssignable() const noexcept { return m_assignable; }
    // The key ids of the assignable keys, in id order.
    std::vector<int32_t> GetAssignableIds() const;

private:
    std::vector<Record> m_allRecords;
    std::map<int32_t, Record> m_assignable;
    std::map<int32_t, KeyCode> m_keyTable;
    bool m_loaded = false;
    bool m_parseResult = false;
};

static_assert(sizeof(CKeyboardDef::CodeEntry) == 4, "a code entry is four bytes in the file");

// The process's keyboard definition, made on first use and freed at exit.
CKeyboardDef& GetKeyboardDef();

#include "gui/skin/CKeyboardDef.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/GUIResources.h"

#include <cstring>

namespace {

// Little-endian reads from a buffer whose bounds the caller has checked.
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

constexpr size_t kBlockBytes = CKeyboardDef::kEntriesPerBlock * sizeof(CKeyboardDef::CodeEntry);
// Everything of a record after its name: valueA, valueB and the four blocks.
constexpr size_t kRecordTailBytes = 4 + CKeyboardDef::kBlocks * kBlockBytes;

void ComputeDefault(CKeyboardDef::Record& record) {
    const CKeyboardDef::CodeEntry* e = record.sequences[0];
    if (e[0].flag == 0) {
        record.defaultCode = e[0].code;
        record.defaultFlag = 0;
        return;
    }
    record.defaultFlag = e[0].flag;
    record.defaultCode = e[0].code;
    for (int i = 1; i <= 8 && e[i].code != 0 && e[i].flag == 0; ++i)
        record.defaultCode = e[i].code;
}

}  // namespace

CKeyboardDef::~CKeyboardDef() {
    if (GetKeyTable() == this)
        SetKeyTable(nullptr);
}

bool CKeyboardDef::Parse(const void* data, size_t size) {
    if (!data || size == 0)
        return false;
    if (m_loaded)
        return m_parseResult;
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint32_t count = 0;
    uint32_t read = 0;
    if (size >= 4) {
        count = U32(bytes);
        size_t pos = 4;
        while (read < count) {
            if (size - pos < 4)
                break;
            const uint32_t nameBytes = U32(bytes + pos);
            // A name of half a unit or beyond the limit means the file is
            // not what it claims; what follows cannot be trusted.
            if (nameBytes % 2 != 0 || nameBytes > kMaxNameBytes)
                break;
            if (size - pos - 4 < nameBytes + kRecordTailBytes)
                break;
            const uint8_t* p = bytes + pos + 4;
            Record record;
            std::vector<wchar_t> name(nameBytes / 2);
            for (size_t i = 0; i < name.size(); ++i)
                name[i] = static_cast<wchar_t>(U16(p + 2 * i));
            record.name = CString(name.data(), static_cast<int>(name.size()));
            p += nameBytes;
            record.valueA = static_cast<int16_t>(U16(p));
            record.valueB = static_cast<int16_t>(U16(p + 2));
            p += 4;
            for (auto& block : record.sequences)
                for (CodeEntry& entry : block) {
                    entry.code = U16(p);
                    entry.flag = p[2];
                    entry.reserved = p[3];
                    p += 4;
                }
            record.keyId = HashKeyName(record.name);
            ComputeDefault(record);
            m_allRecords.push_back(record);
            if (IsAssignableName(record))
                m_assignable[record.keyId] = record;
            ++read;
            pos += 4 + nameBytes + kRecordTailBytes;
        }
    }
    m_loaded = true;
    m_parseResult = count > 0 && read == count;
    return m_parseResult;
}

bool CKeyboardDef::LoadKeyValues(const void* data, size_t size) {
    if (!data || size < 4)
        return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const uint64_t count = U32(bytes);
    if (static_cast<uint64_t>(size) != 4 + 8 * count)
        return false;
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes + 4 + 8 * i;
        const int32_t keyId = static_cast<int32_t>(U32(p));
        const uint32_t value = U32(p + 4);
        m_keyTable[keyId] = KeyCode{static_cast<uint16_t>(value & 0xFFFF), static_cast<uint8_t>((value >> 16) & 0xFF)};
    }
    return true;
}

bool CKeyboardDef::IsAssignableName(const Record& record) {
    static const wchar_t* const kReserved[] = {L"DO NOT USE", L"UNASSIGNED", L"RESERVED", L"None"};
    for (const wchar_t* name : kReserved)
        if (CompareNoCase(record.name, name) == 0)
            return false;
    return static_cast<int16_t>(record.sequences[0][0].code) >= 0;
}

int32_t CKeyboardDef::FindKey(uint32_t deviceKeyCode) const {
    const uint16_t code = static_cast<uint16_t>(deviceKeyCode & 0xFFFF);
    const uint8_t flag = static_cast<uint8_t>((deviceKeyCode >> 16) & 0xFF);
    for (const auto& entry : m_assignable)
        if (entry.second.defaultCode == code && entry.second.defaultFlag == flag)
            return entry.first;
    return 0;
}

CKeyboardDef::KeyCode CKeyboardDef::GetDefaultCode(int32_t keyId) const {
    auto it = m_assignable.find(keyId);
    return it == m_assignable.end() ? KeyCode{} : KeyCode{it->second.defaultCode, it->second.defaultFlag};
}

uint32_t CKeyboardDef::GetKeyTableValue(int32_t keyId) const {
    auto it = m_keyTable.find(keyId);
    return it == m_keyTable.end() ? 0 : it->second.code | static_cast<uint32_t>(it->second.flag) << 16;
}

bool CKeyboardDef::ReadElement(const pugi::xml_node& element, CWnd* parent) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return false;
    CString file = SkinText(element.attribute("file"));
    file.Trim();
    const CGUIResource* definition = GetBinaryFileByName(file);
    if (!definition || !Parse(definition->GetBytes(), static_cast<size_t>(definition->GetSize())))
        return false;
    SetItemFields(id, kItemKeyboardDef, nullptr, parent);
    CString defaultsName = SkinText(element.attribute("kbddefaults"));
    defaultsName.Trim();
    const CGUIResource* defaults = GetBinaryFileByName(defaultsName);
    if (!defaults || !LoadKeyValues(defaults->GetBytes(), static_cast<size_t>(defaults->GetSize())))
        return false;
    // Profiles build their default assignments from this table from now on,
    // and the device layer names the keyboard's keys by it.
    SetKeyTable(this);
    return true;
}

CKeyboardDef& GetKeyboardDef() {
    static CKeyboardDef definition;
    return definition;
}

std::vector<int32_t> CKeyboardDef::GetAssignableIds() const {
    std::vector<int32_t> ids;
    for (const auto& entry : m_assignable)
        ids.push_back(entry.first);
    return ids;
}

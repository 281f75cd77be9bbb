#include "emulator/CKeyboardXml.h"

#include "emulator/CKeyTable.h"
#include "platform/CString.h"
#include "platform/Guid.h"

#include <pugixml.hpp>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

namespace {

const HRESULT kBadData = kServiceBadFile;
const HRESULT kOtherVersion = kServiceFileVersion;

std::string Utf8(const std::wstring& text) { return CString(text).ToUtf8(); }
std::wstring Wide(const char* text) { return CString::FromUtf8(text).ToStdWString(); }

std::string Hex(uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, static_cast<unsigned>(value));
    return buffer;
}

std::string GuidText(const GUID& guid) { return GuidToString(guid).ToUtf8(); }

// The reading side: every value is checked, and the first bad one makes the
// whole file bad.
class Reader {
public:
    bool ok = true;

    // Decimal, or hexadecimal after "0x"; nothing else on the text.
    template <typename U>
    bool Number(pugi::xml_node node, const char* name, U& out, uint32_t max = 0xFFFFFFFFu) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return false;
        const char* text = a.value();
        int base = 10;
        if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            base = 16;
            text += 2;
        }
        bool digit = base == 16 ? std::isxdigit(static_cast<unsigned char>(*text)) != 0
                                : (*text >= '0' && *text <= '9');
        char* end = nullptr;
        errno = 0;
        unsigned long long v = digit ? std::strtoull(text, &end, base) : 0;
        if (!digit || *end || errno || v > max) {
            ok = false;
            return false;
        }
        out = static_cast<U>(v);
        return true;
    }

    bool Signed(pugi::xml_node node, const char* name, int32_t& out) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return false;
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(a.value(), &end, 10);
        if (!*a.value() || *end || errno || v < INT32_MIN || v > INT32_MAX) {
            ok = false;
            return false;
        }
        out = static_cast<int32_t>(v);
        return true;
    }

    bool Flag(pugi::xml_node node, const char* name, bool& out) {
        uint32_t v = 0;
        if (!Number(node, name, v, 1))
            return false;
        out = v != 0;
        return true;
    }

    bool Text(pugi::xml_node node, const char* name, std::wstring& out, size_t maxLength) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return false;
        std::wstring text = Wide(a.value());
        if (text.size() > maxLength || text.find(L'\0') != std::wstring::npos) {
            ok = false;
            return false;
        }
        out = text;
        return true;
    }

    bool Guid(pugi::xml_node node, const char* name, GUID& out) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return false;
        GUID g;
        if (!GuidFromString(Wide(a.value()).c_str(), g) || IsNullGuid(g)) {
            ok = false;
            return false;
        }
        out = g;
        return true;
    }

    // "major.minor", both decimal.
    void Version(pugi::xml_node node, const char* name, uint32_t& major, uint32_t& minor) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return;
        unsigned ma = 0, mi = 0;
        char tail = 0;
        if (std::sscanf(a.value(), "%u.%u%c", &ma, &mi, &tail) != 2) {
            ok = false;
            return;
        }
        major = ma;
        minor = mi;
    }

    void Bytes(pugi::xml_node node, const char* name, BYTE* out, size_t size) {
        pugi::xml_attribute a = node.attribute(name);
        if (!a)
            return;
        const char* text = a.value();
        if (std::strlen(text) != size * 2) {
            ok = false;
            return;
        }
        for (size_t i = 0; i < size; ++i) {
            char pair[3] = {text[2 * i], text[2 * i + 1], 0};
            if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1]))) {
                ok = false;
                return;
            }
            out[i] = static_cast<BYTE>(std::strtoul(pair, nullptr, 16));
        }
    }
};

void WriteProfile(pugi::xml_node node, const ProfileState& profile, bool withGuid) {
    if (withGuid)
        node.append_attribute("guid") = GuidText(profile.guid).c_str();
    node.append_attribute("name") = Utf8(profile.name).c_str();
    node.append_attribute("linked-program") = Utf8(profile.linkedProgram).c_str();
    node.append_attribute("options") = Hex(profile.options, 1).c_str();
    const CKeyTable& table = CKeyTable::Instance();
    for (size_t i = 0; i < profile.keys.size() && i < table.KeyCount(); ++i) {
        const DeviceKeyRecord& r = profile.keys[i];
        pugi::xml_node key = node.append_child("key");
        key.append_attribute("id") = Hex(r.keyId, 5).c_str();
        key.append_attribute("name") = Utf8(table.KeyAt(i).name).c_str();
        key.append_attribute("header") = static_cast<unsigned>(r.header);
        key.append_attribute("type") = static_cast<unsigned>(r.actionType);
        char data[sizeof r.data * 2 + 1];
        for (size_t b = 0; b < sizeof r.data; ++b)
            std::snprintf(data + 2 * b, 3, "%02X", r.data[b]);
        key.append_attribute("data") = data;
    }
    for (const LedState& l : profile.leds) {
        pugi::xml_node led = node.append_child("led");
        led.append_attribute("id") = static_cast<unsigned>(l.id);
        led.append_attribute("on") = l.on ? 1u : 0u;
        led.append_attribute("color") = Hex(l.color, 6).c_str();
        led.append_attribute("brightness") = static_cast<unsigned>(l.brightness);
        led.append_attribute("effect") = static_cast<unsigned>(l.effect);
        led.append_attribute("time-on") = static_cast<unsigned>(l.timeOnMs);
        led.append_attribute("time-off") = static_cast<unsigned>(l.timeOffMs);
    }
}

// Fills a default profile from the element; the GUID is read only when asked.
bool ReadProfile(pugi::xml_node node, ProfileState& out, bool withGuid) {
    Reader r;
    ProfileState profile = MakeDefaultProfile(L"");
    if (withGuid)
        r.Guid(node, "guid", profile.guid);
    r.Text(node, "name", profile.name, kMaxProfileNameLength);
    r.Text(node, "linked-program", profile.linkedProgram, kMaxLinkedProgramLength);
    uint32_t options = 0;
    if (r.Number(node, "options", options, 7))
        profile.options = static_cast<uint16_t>(options);
    const CKeyTable& table = CKeyTable::Instance();
    std::set<uint32_t> seenKeys, seenLeds;
    for (pugi::xml_node key : node.children("key")) {
        uint32_t id = 0;
        int index = r.Number(key, "id", id) ? table.IndexOfKeyId(id) : -1;
        if (index < 0 || !seenKeys.insert(id).second)
            return false;
        DeviceKeyRecord& record = profile.keys[static_cast<size_t>(index)];
        std::memset(&record, 0, sizeof record);
        record.keyId = id;
        r.Number(key, "header", record.header);
        r.Number(key, "type", record.actionType);
        r.Bytes(key, "data", record.data, sizeof record.data);
    }
    for (pugi::xml_node led : node.children("led")) {
        uint32_t id = 0;
        if (!r.Number(led, "id", id) || id < 1 || id > kLedCount || !seenLeds.insert(id).second)
            return false;
        LedState& l = profile.leds[id - 1];
        r.Flag(led, "on", l.on);
        r.Number(led, "color", l.color);
        r.Number(led, "brightness", l.brightness);
        r.Number(led, "effect", l.effect);
        r.Number(led, "time-on", l.timeOnMs);
        r.Number(led, "time-off", l.timeOffMs);
    }
    if (!r.ok)
        return false;
    out = std::move(profile);
    return true;
}

void WriteMacro(pugi::xml_node node, const MacroState& macro, bool withGuid) {
    if (withGuid)
        node.append_attribute("guid") = GuidText(macro.guid).c_str();
    node.append_attribute("name") = Utf8(macro.name).c_str();
    for (const MacroStepsBlockStep& s : macro.steps) {
        pugi::xml_node step = node.append_child("step");
        step.append_attribute("kind") = static_cast<unsigned>(s.kind);
        step.append_attribute("value") = Hex(s.value, 8).c_str();
    }
}

bool ReadMacro(pugi::xml_node node, MacroState& out, bool withGuid) {
    Reader r;
    MacroState macro;
    macro.guid = NewGuid();
    if (withGuid)
        r.Guid(node, "guid", macro.guid);
    r.Text(node, "name", macro.name, kMaxMacroNameLength);
    for (pugi::xml_node step : node.children("step")) {
        MacroStepsBlockStep s = {0, 0};
        if (!r.Number(step, "kind", s.kind) || !r.Number(step, "value", s.value) || macro.steps.size() >= kMaxMacroSteps)
            return false;
        macro.steps.push_back(s);
    }
    if (!r.ok)
        return false;
    out = std::move(macro);
    return true;
}

std::string Save(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

// Parses and checks the root element's name and version.
HRESULT Open(const std::string& bytes, pugi::xml_document& doc, const char* rootName, pugi::xml_node& root) {
    if (!doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8))
        return kBadData;
    root = doc.document_element();
    if (std::strcmp(root.name(), rootName) != 0)
        return kBadData;
    pugi::xml_attribute version = root.attribute("version");
    if (!version)
        return kBadData;
    if (version.as_int(-1) != CKeyboardXml::kVersion || std::strcmp(version.value(), "1") != 0)
        return kOtherVersion;
    return S_OK;
}

// A profile or macro file: exactly one item under the root, without a GUID.
template <typename Item>
HRESULT ReadItemFile(const std::string& bytes, const char* rootName, const char* itemName,
                     bool (*read)(pugi::xml_node, Item&, bool), Item& out) {
    pugi::xml_document doc;
    pugi::xml_node root;
    HRESULT hr = Open(bytes, doc, rootName, root);
    if (FAILED(hr))
        return hr;
    pugi::xml_node node = root.child(itemName);
    Item item;
    if (!node || node.next_sibling(itemName) || !read(node, item, false))
        return kBadData;
    out = std::move(item);
    return S_OK;
}

pugi::xml_node NewRoot(pugi::xml_document& doc, const char* name) {
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    pugi::xml_node root = doc.append_child(name);
    root.append_attribute("version") = CKeyboardXml::kVersion;
    return root;
}

}  // namespace

std::string CKeyboardXml::WriteState(const KeyboardData& data) {
    pugi::xml_document doc;
    pugi::xml_node root = NewRoot(doc, "keyboard-state");
    char version[32];
    root.append_attribute("present") = data.present ? 1u : 0u;
    root.append_attribute("vendor-id") = Hex(data.vendorId, 4).c_str();
    root.append_attribute("product-id") = Hex(data.productId, 4).c_str();
    std::snprintf(version, sizeof version, "%u.%02u", static_cast<unsigned>(data.firstVersionMajor),
                  static_cast<unsigned>(data.firstVersionMinor));
    root.append_attribute("first-version") = version;
    std::snprintf(version, sizeof version, "%u.%02u", static_cast<unsigned>(data.secondVersionMajor),
                  static_cast<unsigned>(data.secondVersionMinor));
    root.append_attribute("second-version") = version;
    root.append_attribute("layout-code") = static_cast<int>(data.layoutCode);
    root.append_attribute("device-mode") = static_cast<unsigned>(data.deviceMode);
    root.append_attribute("on-off") = static_cast<unsigned>(data.onOff);
    root.append_attribute("optional-feature") = static_cast<unsigned>(data.optionalFeature);
    if (!IsNullGuid(data.activeProfile))
        root.append_attribute("active-profile") = GuidText(data.activeProfile).c_str();
    for (const ProfileState& p : data.profiles)
        WriteProfile(root.append_child("profile"), p, true);
    for (const MacroState& m : data.macros)
        WriteMacro(root.append_child("macro"), m, true);
    for (const ApplicationState& a : data.applications) {
        pugi::xml_node app = root.append_child("application");
        app.append_attribute("guid") = GuidText(a.guid).c_str();
        app.append_attribute("path") = Utf8(a.path).c_str();
    }
    return Save(doc);
}

HRESULT CKeyboardXml::ReadState(const std::string& bytes, KeyboardData& out) {
    pugi::xml_document doc;
    pugi::xml_node root;
    HRESULT hr = Open(bytes, doc, "keyboard-state", root);
    if (FAILED(hr))
        return hr;
    Reader r;
    KeyboardData data;
    r.Flag(root, "present", data.present);
    r.Number(root, "vendor-id", data.vendorId, 0xFFFF);
    r.Number(root, "product-id", data.productId, 0xFFFF);
    r.Version(root, "first-version", data.firstVersionMajor, data.firstVersionMinor);
    r.Version(root, "second-version", data.secondVersionMajor, data.secondVersionMinor);
    r.Signed(root, "layout-code", data.layoutCode);
    r.Number(root, "device-mode", data.deviceMode);
    r.Number(root, "on-off", data.onOff);
    uint32_t optional = data.optionalFeature;
    if (r.Number(root, "optional-feature", optional, 0xFF))
        data.optionalFeature = static_cast<uint8_t>(optional);
    bool hasActive = r.Guid(root, "active-profile", data.activeProfile);

    std::set<GUID, GuidLess> guids;
    for (pugi::xml_node node : root.children("profile")) {
        ProfileState p;
        if (!ReadProfile(node, p, true) || !guids.insert(p.guid).second)
            return kBadData;
        data.profiles.push_back(std::move(p));
    }
    for (pugi::xml_node node : root.children("macro")) {
        MacroState m;
        if (!ReadMacro(node, m, true) || !guids.insert(m.guid).second)
            return kBadData;
        data.macros.push_back(std::move(m));
    }
    for (pugi::xml_node node : root.children("application")) {
        ApplicationState a;
        a.guid = NewGuid();
        r.Guid(node, "guid", a.guid);
        r.Text(node, "path", a.path, kMaxApplicationPathLength);
        if (!guids.insert(a.guid).second)
            return kBadData;
        data.applications.push_back(std::move(a));
    }
    if (!r.ok)
        return kBadData;
    if (hasActive) {
        bool found = false;
        for (const ProfileState& p : data.profiles)
            found = found || p.guid == data.activeProfile;
        if (!found)
            return kBadData;
    } else if (!data.profiles.empty()) {
        data.activeProfile = data.profiles.front().guid;
    }
    out = std::move(data);
    return S_OK;
}

std::string CKeyboardXml::WriteProfileFile(const ProfileState& profile) {
    pugi::xml_document doc;
    WriteProfile(NewRoot(doc, "profile-file").append_child("profile"), profile, false);
    return Save(doc);
}

HRESULT CKeyboardXml::ReadProfileFile(const std::string& bytes, ProfileState& out) {
    return ReadItemFile(bytes, "profile-file", "profile", ReadProfile, out);
}

std::string CKeyboardXml::WriteMacroFile(const MacroState& macro) {
    pugi::xml_document doc;
    WriteMacro(NewRoot(doc, "macro-file").append_child("macro"), macro, false);
    return Save(doc);
}

HRESULT CKeyboardXml::ReadMacroFile(const std::string& bytes, MacroState& out) {
    return ReadItemFile(bytes, "macro-file", "macro", ReadMacro, out);
}

#include "tests/e2e/CKeyboardDump.h"

#include "platform/Guid.h"

#include <windows.h>

#include <cstdlib>

namespace {

// Little-endian fields of a record's data bytes; 0 past their end.
unsigned Byte(const std::vector<uint8_t>& bytes, size_t at) { return at < bytes.size() ? bytes[at] : 0u; }
uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2) << 16 |
           static_cast<uint32_t>(Byte(bytes, at + 3)) << 24;
}

}  // namespace

unsigned CKeyboardDump::Number(const pugi::xml_attribute& attribute) {
    return static_cast<unsigned>(std::strtoul(attribute.value(), nullptr, 0));
}

CKeyboardDump::CKeyboardDump(const std::string& text) {
    if (m_document.load_buffer(text.data(), text.size()))
        m_root = m_document.child("keyboard-state");
}

pugi::xml_node CKeyboardDump::Profile(const std::string& profileName) const {
    if (!m_root)
        return pugi::xml_node();
    if (profileName.empty())
        return m_root.find_child_by_attribute("profile", "guid", m_root.attribute("active-profile").value());
    return m_root.find_child_by_attribute("profile", "name", profileName.c_str());
}

std::string CKeyboardDump::ActiveProfileName() const { return Profile("").attribute("name").value(); }

std::string CKeyboardDump::ProfileGuid(const std::string& profileName) const {
    return Profile(profileName).attribute("guid").value();
}

int CKeyboardDump::DeviceMode() const { return m_root ? static_cast<int>(Number(m_root.attribute("device-mode"))) : -1; }

bool CKeyboardDump::FindKey(const std::string& profileName, const std::string& keyName, Key& key) const {
    pugi::xml_node record = Profile(profileName).find_child_by_attribute("key", "name", keyName.c_str());
    if (!record)
        return false;
    key.action = static_cast<KeyAction>(Number(record.attribute("type")));
    key.data = record.attribute("data").value();
    key.bytes.clear();
    for (size_t i = 0; i + 1 < key.data.size(); i += 2)
        key.bytes.push_back(static_cast<uint8_t>(std::strtoul(key.data.substr(i, 2).c_str(), nullptr, 16)));
    return true;
}

CKeyboardDump::Key CKeyboardDump::KeyRecord(const std::string& profileName, const std::string& keyName) const {
    Key key;
    if (!FindKey(profileName, keyName, key))
        key = Key();
    return key;
}

CKeyboardDump::Led CKeyboardDump::LedOf(const std::string& profileName, unsigned id) const {
    for (pugi::xml_node led : Profile(profileName).children("led"))
        if (Number(led.attribute("id")) == id)
            return Led{true, Number(led.attribute("on")) != 0, Number(led.attribute("color")),
                       Number(led.attribute("brightness")), Number(led.attribute("effect"))};
    return Led();
}

bool CKeyboardDump::FindLed(unsigned id, bool& on, unsigned& colour, unsigned& effect) const {
    const Led led = LedOf("", id);
    if (!led.found)
        return false;
    on = led.on;
    colour = led.colour;
    effect = led.effect;
    return true;
}

std::vector<CKeyboardDump::Macro> CKeyboardDump::Macros() const {
    std::vector<Macro> macros;
    for (pugi::xml_node node : m_root.children("macro")) {
        Macro macro{node.attribute("guid").value(), node.attribute("name").value(), {}};
        for (pugi::xml_node step : node.children("step"))
            if (Number(step.attribute("kind")) == 2)
                macro.keySteps.push_back(Number(step.attribute("value")));
        macros.push_back(macro);
    }
    return macros;
}

std::vector<CKeyboardDump::Application> CKeyboardDump::Applications() const {
    std::vector<Application> applications;
    for (pugi::xml_node node : m_root.children("application"))
        applications.push_back(Application{node.attribute("guid").value(), node.attribute("path").value()});
    return applications;
}

std::vector<CKeyboardDump::ProfileEntry> CKeyboardDump::Profiles() const {
    std::vector<ProfileEntry> profiles;
    for (pugi::xml_node node : m_root.children("profile")) {
        ProfileEntry entry{node.attribute("guid").value(), node.attribute("name").value(),
                           node.attribute("linked-program").value(), Number(node.attribute("options")), ""};
        for (pugi::xml_node part : node.children()) {
            entry.content += part.name();
            for (pugi::xml_attribute attribute : part.attributes())
                entry.content += std::string(" ") + attribute.name() + "=" + attribute.value();
            entry.content += "\n";
        }
        profiles.push_back(entry);
    }
    return profiles;
}

std::vector<std::string> CKeyboardDump::ProfileNames() const {
    std::vector<std::string> names;
    for (const ProfileEntry& profile : Profiles())
        names.push_back(profile.name);
    return names;
}

uint32_t CKeyboardDump::Key::SubAction() const {
    switch (action) {
    case KeyAction::Button:
    case KeyAction::Profile:
    case KeyAction::Value: return Word(bytes, 0);
    default: return 0;
    }
}

unsigned CKeyboardDump::Key::ScanCode() const {
    return action == KeyAction::Key ? Byte(bytes, 0) | Byte(bytes, 1) << 8 : 0;
}

unsigned CKeyboardDump::Key::Modifiers() const {
    // The top byte of the flags word at data byte 2.
    return action == KeyAction::Key ? Byte(bytes, 5) & 0x0Fu : 0;
}

std::string CKeyboardDump::Key::Guid() const {
    size_t at = 0;
    switch (action) {
    case KeyAction::Macro:
    case KeyAction::Application: at = 0; break;
    case KeyAction::Profile:
        if (SubAction() != 3)
            return std::string();
        at = 4;
        break;
    default: return std::string();
    }
    if (bytes.size() < at + 16)
        return std::string();
    // The four words of the GUID's memory form, as the service carries it.
    uint32_t words[4];
    for (size_t i = 0; i < 4; ++i)
        words[i] = Word(bytes, at + 4 * i);
    return GuidToString(GuidFromWords(words)).ToUtf8();
}

PlayCode CKeyboardDump::Key::Play() const {
    return action == KeyAction::Macro ? static_cast<PlayCode>(Byte(bytes, 16)) : PlayCode::None;
}

unsigned CKeyboardDump::Key::RepeatCount() const { return action == KeyAction::Macro ? Byte(bytes, 17) : 0; }

bool PlaysMacro(const CKeyboardDump::Key& key, const std::string& guid) {
    return key.action == KeyAction::Macro && !guid.empty() && key.Guid() == guid;
}

std::ostream& operator<<(std::ostream& out, KeyAction action) {
    switch (action) {
    case KeyAction::Missing: return out << "no record";
    case KeyAction::Button: return out << "button";
    case KeyAction::Guid: return out << "GUID";
    case KeyAction::Profile: return out << "profile";
    case KeyAction::Value: return out << "value";
    case KeyAction::Key: return out << "key";
    case KeyAction::None: return out << "none";
    case KeyAction::Macro: return out << "macro";
    case KeyAction::Application: return out << "application";
    }
    return out << "type " << static_cast<int>(action);
}

#include "tests/e2e/CKeyboardDump.h"

#include "platform/Guid.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

unsigned Number(const pugi::xml_attribute& attribute) {
    return static_cast<unsigned>(std::strtoul(attribute.value(), nullptr, 0));
}

}  // namespace

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
    key.type = static_cast<int>(Number(record.attribute("type")));
    key.data = record.attribute("data").value();
    return true;
}

int CKeyboardDump::KeyType(const std::string& profileName, const std::string& keyName) const {
    Key key;
    return FindKey(profileName, keyName, key) ? key.type : -1;
}

bool CKeyboardDump::FindLed(unsigned id, bool& on, unsigned& colour, unsigned& effect) const {
    for (pugi::xml_node led : Profile("").children("led"))
        if (Number(led.attribute("id")) == id) {
            on = Number(led.attribute("on")) != 0;
            colour = Number(led.attribute("color"));
            effect = Number(led.attribute("effect"));
            return true;
        }
    return false;
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

std::string GuidDataHex(const std::string& guidText) {
    GUID guid;
    const std::wstring wide(guidText.begin(), guidText.end());
    if (!GuidFromString(wide.c_str(), guid))
        return std::string();
    uint32_t words[4];
    GuidToWords(guid, words);
    unsigned char bytes[sizeof words];
    std::memcpy(bytes, words, sizeof bytes);
    std::string hex;
    char digits[3];
    for (unsigned char b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    }
    return hex;
}

#pragma once
// The emulated keyboard's state as its dump shows it (the state file's
// XML), read the way a test asks about it: profiles by name, key records
// by key name, macros and applications in their order.

#include <pugixml.hpp>

#include <string>
#include <vector>

class CKeyboardDump {
public:
    struct Key {
        int type = -1;
        std::string data;  // 20 bytes as 40 hex digits
    };
    struct Macro {
        std::string guid;
        std::string name;
        // Key steps (kind 2) only, as {value}: the delays and mouse moves
        // around them depend on the timing of the run.
        std::vector<unsigned> keySteps;
    };
    struct Application {
        std::string guid;
        std::string path;
    };
    struct ProfileEntry {
        std::string guid;
        std::string name;
        std::string linkedProgram;
        unsigned options = 0;  // bit 0 automatic switching, bit 2 on-screen display
        // Every key record and LED as the dump holds them: two profiles of
        // the same keys and lighting have the same content.
        std::string content;
    };

    explicit CKeyboardDump(const std::string& text);
    CKeyboardDump(const CKeyboardDump&) = delete;
    CKeyboardDump& operator=(const CKeyboardDump&) = delete;

    bool IsValid() const noexcept { return static_cast<bool>(m_root); }
    std::string ActiveProfileName() const;
    std::string ProfileGuid(const std::string& profileName) const;
    int DeviceMode() const;
    // A key record of a profile named so, or of the active profile when
    // the name is empty; false when either is not found.
    bool FindKey(const std::string& profileName, const std::string& keyName, Key& key) const;
    // The type of that key record, -1 when it is not found.
    int KeyType(const std::string& profileName, const std::string& keyName) const;
    // An LED of the active profile: on, colour (0xRRGGBB) and effect.
    bool FindLed(unsigned id, bool& on, unsigned& colour, unsigned& effect) const;
    std::vector<Macro> Macros() const;
    std::vector<Application> Applications() const;
    // The profiles in the keyboard's order.
    std::vector<ProfileEntry> Profiles() const;
    std::vector<std::string> ProfileNames() const;

private:
    pugi::xml_node Profile(const std::string& profileName) const;

    pugi::xml_document m_document;
    pugi::xml_node m_root;
};

// The hex digits a key record's data starts with when it names an item by
// its GUID (the GUID's memory form, as the service's four words carry it);
// empty for a text that is no GUID.
std::string GuidDataHex(const std::string& guidText);

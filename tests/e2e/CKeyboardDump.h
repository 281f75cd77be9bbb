#pragma once
// The emulated keyboard's state as its dump shows it (the state file's
// XML), read the way a test asks about it: profiles by name, key records
// by key name and decoded by field, macros and applications in their order.

#include <pugixml.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// What a key record makes the key do: the record's action type, as the
// keyboard's service numbers it.
enum class KeyAction : int {
    Missing = -1,  // no such key, or no such profile
    Button = 1,    // a button function by sub-action; sub-action 0 is none: the key is disabled
    Guid = 2,
    Profile = 3,
    Value = 4,
    Key = 5,       // sends a key: a key's default goes out as its own key
    None = 6,
    Macro = 8,
    Application = 9,
};
std::ostream& operator<<(std::ostream& out, KeyAction action);

// How a macro record plays its macro, as the keyboard codes it (the code of
// "until pressed" and "while pressed" is the other way round from the
// configuration program's play modes 3 and 4).
enum class PlayCode : unsigned {
    None = 0,
    Once = 1,
    Repeat = 2,  // the record's repeat count times
    WhilePressed = 3,
    UntilPressed = 4,
};

// The modifier bits of a key record.
enum KeyModifier : unsigned {
    kModifierExtended = 0x01,
    kModifierAlt = 0x02,
    kModifierCtrl = 0x04,
    kModifierShift = 0x08,
};

class CKeyboardDump {
public:
    // One key's record, its 20 data bytes read by what the action type puts
    // there.  A field the record's type does not carry reads as 0 or empty.
    struct Key {
        KeyAction action = KeyAction::Missing;
        std::string data;  // the data bytes as the dump writes them (40 hex digits), for messages
        std::vector<uint8_t> bytes;

        bool IsDisabled() const { return action == KeyAction::Button && SubAction() == 0; }
        // Button, profile and value records: the function within the type.
        uint32_t SubAction() const;
        // Key records: the scan code sent and its modifier bits (KeyModifier).
        unsigned ScanCode() const;
        unsigned Modifiers() const;
        // Macro and application records, and profile records of sub-action
        // 3: the item's GUID as the dump writes GUIDs ("{...}").
        std::string Guid() const;
        // Macro records.
        PlayCode Play() const;
        unsigned RepeatCount() const;
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
    struct Led {
        bool found = false;
        bool on = false;
        unsigned colour = 0;  // 0xRRGGBB
        unsigned brightness = 0;
        unsigned effect = 0;
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
    // That key record; its action Missing when it is not found.
    Key KeyRecord(const std::string& profileName, const std::string& keyName) const;
    KeyAction KeyType(const std::string& profileName, const std::string& keyName) const {
        return KeyRecord(profileName, keyName).action;
    }
    // An LED of a profile named so, or of the active profile when the name
    // is empty; not found when either is missing.
    Led LedOf(const std::string& profileName, unsigned id) const;
    // An LED of the active profile: on, colour and effect.
    bool FindLed(unsigned id, bool& on, unsigned& colour, unsigned& effect) const;
    // The keyboard-wide lighting switch.
    unsigned OnOff() const { return Number(m_root.attribute("on-off")); }
    std::vector<Macro> Macros() const;
    std::vector<Application> Applications() const;
    // The profiles in the keyboard's order.
    std::vector<ProfileEntry> Profiles() const;
    std::vector<std::string> ProfileNames() const;

private:
    pugi::xml_node Profile(const std::string& profileName) const;
    static unsigned Number(const pugi::xml_attribute& attribute);

    pugi::xml_document m_document;
    pugi::xml_node m_root;
};

// A key record that plays the macro of that GUID.
bool PlaysMacro(const CKeyboardDump::Key& key, const std::string& guid);

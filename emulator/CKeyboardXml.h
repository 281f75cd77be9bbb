#pragma once
// The emulated keyboard's files, as XML with a version on the root element:
// the state file (which is also the state dump and a test's fixture), the
// profile files (.vqp) and the macro files (.vqm).  Readers refuse a file of
// another version (ERROR_REVISION_MISMATCH) and one that does not parse or
// holds a value out of range (ERROR_INVALID_DATA); they fill their output
// only on success.

#include "emulator/KeyboardData.h"

#include <string>

class CKeyboardXml {
public:
    static constexpr int kVersion = 1;

    static std::string WriteState(const KeyboardData& data);
    // A state file may leave things out: what is missing gets its factory
    // value (a profile without a GUID gets a fresh one, a key without a record
    // its default, no active profile means the first).
    static HRESULT ReadState(const std::string& bytes, KeyboardData& data);

    static std::string WriteProfileFile(const ProfileState& profile);
    // The profile comes back with a fresh GUID.
    static HRESULT ReadProfileFile(const std::string& bytes, ProfileState& profile);

    static std::string WriteMacroFile(const MacroState& macro);
    // The macro comes back with a fresh GUID.
    static HRESULT ReadMacroFile(const std::string& bytes, MacroState& macro);
};

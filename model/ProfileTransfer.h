#pragma once
// Profiles (capability 1), their options (capability 7) and the linked
// applications (capability 8) between the store and the keyboard.

#include "model/IKeyboardConfig.h"
#include "model/IKeyboardProfile.h"
#include "platform/CString.h"
#include "service/ServiceInterfaces.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <set>

#include "platform/Guid.h"

using GuidSet = std::set<GUID, GuidLess>;

// Option records of property 0x80000003 (written) and its flag word (read).
enum ProfileOptionId : uint16_t {
    ProfileOptionAutoSwitch = 1,
    ProfileOptionProfileOption = 2,
    ProfileOptionShowOsd = 4,
};
constexpr uint16_t kOptionFlagAutoSwitch = 0x1;
constexpr uint16_t kOptionFlagProfileOption = 0x2;
constexpr uint16_t kOptionFlagShowOsd = 0x4;

using LinkedProgramBuffer = std::array<BYTE, PROFILE_LINKED_PROGRAM_BYTES>;
using OptionRecord = std::array<BYTE, 4>;

// {u16 id, u16 value}, the value 0 or 1.
OptionRecord MakeOptionRecord(uint16_t id, bool value) noexcept;
// The linked program's file name, zero-filled; false (buffer all zero) for
// a name longer than the buffer holds with its terminator.
bool MakeLinkedProgramBuffer(const wchar_t* name, LinkedProgramBuffer& buffer) noexcept;
// The name in a buffer the keyboard filled: at most 127 characters, cut at
// the first terminator or at the size given, whichever comes first.
CString LinkedProgramFromBuffer(const BYTE* buffer, size_t size);

// Write steps.  Deletes the device profiles whose GUID the store lacks.
bool DeleteStaleDeviceProfiles(IProfileManager* profiles, IKeyboardConfig* config);
// Creates the profile on the keyboard (GUID_NULL: the new GUID goes into the
// profile) or gives the device profile the profile's name.
bool WriteProfile(IProfileManager* profiles, IKeyboardProfile* profile);
bool WriteProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile);
// Makes the keyboard's active profile the store's; true when the store has none.
bool WriteActiveProfile(IProfileManager* profiles, IKeyboardConfig* config);

// Read step: name, GUID, linked program and options into the profile.
bool ReadProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile);

// Creates the application on the keyboard; its new GUID goes into the entry.
bool RegisterApplication(IApplicationManager* applications, CVqApp* application);
// Deletes the device applications the store does not know, except those in keep.
bool DeleteStaleApplications(IApplicationManager* applications, IKeyboardConfig* config, const GuidSet& keep);
bool WriteApplications(IApplicationManager* applications, IKeyboardConfig* config);
// Adds the device's applications to the store.  One that the store cannot
// take (its name is there under another GUID) goes into keep, so that a
// write does not delete what the user never saw.
bool ReadApplications(IApplicationManager* applications, IKeyboardConfig* config, GuidSet& keep);

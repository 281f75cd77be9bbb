#pragma once
// Profiles (capability 1), their options (capability 7) and the linked
// applications (capability 8) between the store and the keyboard.

#include "model/store/IKeyboardConfig.h"
#include "model/store/CSyncedState.h"
#include "model/store/IKeyboardProfile.h"
#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "service/ServiceInterfaces.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

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

// Write steps.  Deletes the device profiles with these GUIDs (the ones the
// user deleted); each that is gone from the keyboard leaves synced too.
bool DeleteDeviceProfiles(IProfileManager* profiles, const std::vector<GUID>& guids, CSyncedState& synced);
// Creates the profile on the keyboard (GUID_NULL: the new GUID goes into the
// profile and the keyboard's list order) or finds it, and gives it the
// profile's name where the name changed: against synced, the keyboard's form
// of the profile, or (null) against the name the keyboard reads back.  A
// rename in letter case only is a rename too.  device is the keyboard's
// profile for the steps that follow.
bool WriteProfile(IProfileManager* profiles, IKeyboardProfile* profile, IKeyboardProfile* synced,
                  CComPtr<IDeviceProfile>& device, DeviceListOrder* order = nullptr);
bool WriteProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile);
// Makes the keyboard's active profile the store's; true when the store has none.
bool WriteActiveProfile(IProfileManager* profiles, IKeyboardConfig* config);

// Read step: name, linked program and options into the profile, which has
// the device profile's GUID already.
bool ReadProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile);

// Creates the application on the keyboard; its new GUID goes into the entry.
bool RegisterApplication(IApplicationManager* applications, CVqApp* application);
// Deletes the device applications with these GUIDs (the ones the user deleted).
bool DeleteDeviceApplications(IApplicationManager* applications, const std::vector<GUID>& guids,
                              CSyncedState& synced);
// Registers the new applications and renames the changed ones; what the
// keyboard then holds goes into synced.
bool WriteApplications(IApplicationManager* applications, IKeyboardConfig* config, CSyncedState& synced);
// Adds the device's applications to the store; order gets every device
// application's GUID, the ones the store cannot take (their name is there
// under another GUID) too, so that a write leaves them alone.
bool ReadApplications(IApplicationManager* applications, IKeyboardConfig* config, DeviceListOrder& order);

#pragma once
// Key assignments (capability 3): one DeviceKeyRecord per device key, the
// name and path references resolved into GUIDs before anything is sent.

#include "model/IKeyboardConfig.h"
#include "model/IKeyboardProfile.h"
#include "model/KeyAssignment.h"
#include "platform/Guid.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <map>
#include <vector>

// The most keys a keyboard's key count is taken for.
constexpr uint32_t kMaxDeviceKeys = 1024;

// Keys whose device record is of a kind the profile cannot hold, with the
// store's assignment of the key as it was when the record was read: while
// the store still holds that, a write leaves the key as the keyboard has it.
using ForeignKeyRecords = std::map<GUID, std::map<int32_t, KeyAssignment>, GuidLess>;

// A reference that a write turned into its GUID form.
struct ResolvedAssignment {
    GUID profile;
    int32_t key;
    KeyAssignment before;
    KeyAssignment after;
};

// Whether two assignments are the same, payload and all.
bool SameAssignment(const KeyAssignment& a, const KeyAssignment& b) noexcept;

// All records of a profile.  The key count is capped, and a filled count
// larger than the block is refused.
bool ReadKeyRecords(IKeyAssignmentManager* keys, std::vector<DeviceKeyRecord>& records);
// The device key ids of a profile, in the keyboard's order; false when none.
bool ReadKeyIdList(IDeviceProfile* profile, std::vector<uint32_t>& keyIds);

// Turns the profile's name and path references into their GUID kinds,
// creating the targets on the keyboard when they are not there yet; each
// change is stored in the profile and, when asked, listed in resolved.  A
// reference that cannot be resolved stays as it is.
void ResolveReferences(IDevice* device, IKeyboardConfig* config, IKeyboardProfile* profile,
                       const std::vector<uint32_t>& keyIds, std::vector<ResolvedAssignment>* resolved);

// Sends the profile's assignments, one record per call.  Keys that map to
// no key, assignments that cannot go to the keyboard (no assignment, an
// unresolved reference, a kind without a record) and keys held as foreign
// records are left as the keyboard has them.
bool WriteKeyAssignments(IDevice* device, IKeyboardConfig* config, IDeviceProfile* deviceProfile,
                         IKeyboardProfile* profile, const std::vector<uint32_t>& keyIds,
                         const ForeignKeyRecords* foreign, std::vector<ResolvedAssignment>* resolved);
// Reads every record into the profile; keys that map to no key are skipped,
// and records the profile cannot hold are listed in foreign when given.
bool ReadKeyAssignments(IKeyboardConfig* config, IDeviceProfile* deviceProfile, IKeyboardProfile* profile,
                        ForeignKeyRecords* foreign);

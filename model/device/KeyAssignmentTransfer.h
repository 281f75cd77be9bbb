#pragma once
// Key assignments (capability 3): one DeviceKeyRecord per device key, the
// name and path references resolved into GUIDs before anything is sent.

#include "model/store/IKeyboardConfig.h"
#include "model/store/IKeyboardProfile.h"
#include "model/store/KeyAssignment.h"
#include "platform/Guid.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <map>
#include <vector>

// The most keys a keyboard's key count is taken for.
constexpr uint32_t kMaxDeviceKeys = 1024;

class CSyncedState;

// A key of a profile that a transfer's copy of the store changed, from what
// it held to what it holds now: a reference a write turned into its GUID
// form, or a record the keyboard was found to have changed.  The store
// takes the change where it still holds what the copy held.
struct AssignmentChange {
    GUID profile;
    int32_t key;
    KeyAssignment before;
    KeyAssignment after;
};


// All records of a profile.  The key count is capped, and a filled count
// larger than the block is refused.
bool ReadKeyRecords(IKeyAssignmentManager* keys, std::vector<DeviceKeyRecord>& records);
// The device key ids of a profile, in the keyboard's order; false when none.
bool ReadKeyIdList(IDeviceProfile* profile, std::vector<uint32_t>& keyIds);

// Turns the name and path references of these keys of the profile into
// their GUID kinds, creating the targets on the keyboard when they are not
// there yet (synced, when given, learns what the keyboard then holds); each
// change is stored in the profile and, when asked, listed in resolved.  A
// reference that cannot be resolved stays as it is.
void ResolveReferences(IDevice* device, IKeyboardConfig* config, IKeyboardProfile* profile,
                       const std::vector<uint32_t>& keyIds, std::vector<AssignmentChange>* resolved,
                       CSyncedState* synced = nullptr);

// Sends the assignments of these device keys of the profile, in one block
// (record by record when the keyboard refuses the block, so that each good
// record still arrives).  Keys that map to no key, and assignments that
// cannot go to the keyboard (no assignment, an unresolved reference, a kind
// without a record), are left as the keyboard has them; the latter are
// listed in unsent when given.
bool WriteKeyAssignments(IDevice* device, IKeyboardConfig* config, IDeviceProfile* deviceProfile,
                         IKeyboardProfile* profile, const std::vector<uint32_t>& keyIds,
                         std::vector<AssignmentChange>* resolved, CSyncedState* synced = nullptr,
                         std::vector<int32_t>* unsent = nullptr);
// The assignment a device record stands for, for a key of the store; false
// for a record of a kind the profile cannot hold (the store's assignment of
// such a key is left as it is, and so the keyboard's record too).
bool AssignmentOfRecord(const DeviceKeyRecord& record, IKeyboardProfile& profile, int32_t& key,
                        KeyAssignment& assignment);
// Reads every record into the profile; keys that map to no key are skipped.
bool ReadKeyAssignments(IKeyboardConfig* config, IDeviceProfile* deviceProfile, IKeyboardProfile* profile);

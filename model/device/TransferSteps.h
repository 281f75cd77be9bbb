#pragma once
// The transfer engine's two passes over the capabilities of a keyboard: a
// write that sends what the user changed since the store last synced with
// the keyboard, and a read that fills the store from the keyboard, each step
// selected by a mask bit.

#include "model/store/CSyncedState.h"
#include "model/device/DeviceDescriptor.h"
#include "model/store/IKeyboardConfig.h"
#include "model/device/KeyAssignmentTransfer.h"
#include "model/device/ProfileTransfer.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <memory>
#include <vector>

// Every step a write has for this keyboard: a write with all of them leaves
// the keyboard holding what the store holds.
constexpr uint32_t kMaskEveryStep = kMaskKeyAssignments | kMaskLighting | kMaskMacros | kMaskProfileOptions |
                                    kMaskApplications | kMaskOnOff;

// What a write found the keyboard, the tray program or another client had
// changed since the store last synced with the keyboard.  It is in the
// write's copy of the store already; the store takes it too once the write
// has succeeded, for each item the user has not changed since.
struct KeyboardFindings {
    std::vector<AssignmentChange> keys;
    std::vector<GUID> newProfiles;
    std::vector<GUID> newMacros;
    std::vector<GUID> newApplications;
    // As they were synced: a store item that still equals them goes too.
    std::vector<std::unique_ptr<CKespaProfile>> goneProfiles;
    std::vector<CMacro> goneMacros;
    std::vector<CVqApp> goneApplications;
    bool activeChanged = false;
    GUID activeBefore = GUID_NULL;
    GUID activeAfter = GUID_NULL;
};

struct TransferContext {
    const DeviceDescriptor* descriptor = nullptr;
    IDevice* device = nullptr;
    IKeyboardConfig* config = nullptr;
    const std::vector<uint32_t>* keyIds = nullptr;  // the keyboard's keys, in its order
    // What the keyboard holds as far as the store knows.  A write sends what
    // differs from it and keeps it up to date as it goes; a read sets its
    // list orders.  Null: nothing is known, so a write sends everything and
    // deletes nothing.
    CSyncedState* synced = nullptr;
    std::vector<AssignmentChange>* resolved = nullptr;  // references a write resolved; may be null
    KeyboardFindings* found = nullptr;                   // what a write found; may be null
};

// First what the keyboard changed meanwhile (taken into the store's copy,
// where the user has not changed the same item); then the user's changes:
// profiles with their options, key assignments and lighting; macros;
// applications; the on/off feature; the active profile when the user chose
// one.  After the first failed step the later gated steps are skipped; the
// on/off feature is written whatever came before.
bool WriteTransfer(const TransferContext& context, uint32_t mask);
bool ReadTransfer(const TransferContext& context, uint32_t mask);
// Options, key assignments and lighting of one device profile into a store
// profile, each while the ones before succeeded and its mask bit is set; a
// profile import reads all three.
bool ReadProfileContent(const TransferContext& context, IDeviceProfile* device, IKeyboardProfile* profile,
                        uint32_t mask = ~0u);

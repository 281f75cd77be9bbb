#pragma once
// The transfer engine's two passes over the capabilities of a keyboard: a
// write that leaves the keyboard holding what the store holds, and a read
// that fills the store from the keyboard, each step selected by a mask bit.

#include "model/DeviceDescriptor.h"
#include "model/IKeyboardConfig.h"
#include "model/KeyAssignmentTransfer.h"
#include "model/ProfileTransfer.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <vector>

// What the keyboard holds that the store could not take when it was read;
// a write leaves these alone.
struct DeviceHeldItems {
    GuidSet macros;
    GuidSet applications;
    ForeignKeyRecords keys;
};

struct TransferContext {
    const DeviceDescriptor* descriptor = nullptr;
    IDevice* device = nullptr;
    IKeyboardConfig* config = nullptr;
    const std::vector<uint32_t>* keyIds = nullptr;  // the keyboard's keys, in its order
    DeviceHeldItems* held = nullptr;                // filled by a read, honoured by a write
    std::vector<ResolvedAssignment>* resolved = nullptr;  // references a write resolved; may be null
};

// Profiles with their options, key assignments and lighting; macros;
// applications; the on/off feature; the active profile.  After the first
// failed step the later gated steps are skipped; the on/off feature is
// written whatever came before.
bool WriteTransfer(const TransferContext& context, uint32_t mask);
bool ReadTransfer(const TransferContext& context, uint32_t mask);
// Options, key assignments and lighting of one device profile into a store
// profile, each while the ones before succeeded and its mask bit is set; a
// profile import reads all three.
bool ReadProfileContent(const TransferContext& context, IDeviceProfile* device, IKeyboardProfile* profile,
                        uint32_t mask = ~0u);

#pragma once
// Macros (capability 4) between the store and the keyboard's macro store,
// and the macro files that the keyboard service reads and writes.

#include "model/store/CMacro.h"
#include "model/store/CSyncedState.h"
#include "model/store/IKeyboardConfig.h"
#include "model/device/ProfileTransfer.h"
#include "service/ServiceInterfaces.h"

// Creates the macro on the keyboard with its name and steps; its new GUID
// goes into the macro.  True only when the keyboard took all of it.
bool RegisterMacro(IMacroManager* macros, CMacro* macro);
// Deletes the device macros with these GUIDs (the ones the user deleted).
bool DeleteDeviceMacros(IMacroManager* macros, const std::vector<GUID>& guids, CSyncedState& synced);
// Registers the new macros and rewrites the changed ones (against synced,
// the keyboard's form; a macro it does not know is compared with what the
// keyboard reads back); what the keyboard then holds goes into synced.
bool WriteMacros(IMacroManager* macros, IKeyboardConfig* config, CSyncedState& synced);
// Adds the device's macros to the store.  order gets every device macro's
// GUID, the ones the store cannot take (their name is there under another
// GUID) too, so that a write leaves them alone.  False when a steps read
// failed.
bool ReadMacros(IMacroManager* macros, IKeyboardConfig* config, DeviceListOrder& order);
// A device macro as a temporary CMacro: GUID, name and steps.
bool ReadDeviceMacro(IDeviceMacro* device, CMacro& macro);
// The steps of a device macro; false when the read fails or the block is bad.
bool ReadDeviceMacroSteps(IDeviceMacro* device, std::vector<MacroStep>& steps);
// Sets the steps; false when the block cannot be built or the keyboard refuses it.
bool WriteDeviceMacroSteps(IDeviceMacro* device, const std::vector<MacroStep>& steps);

// Imports a macro file through the keyboard into a new store macro.  When
// the store cannot take it (its name is there already: that name goes into
// *duplicateName) or it cannot be read back whole, the keyboard's copy is
// deleted again, so no macro the store does not know stays behind.
bool ImportMacroFile(IDevice* device, const wchar_t* path, IKeyboardConfig* config,
                     CString* duplicateName = nullptr);
bool ExportMacroFile(IDevice* device, const wchar_t* path, const CMacro* macro);
bool DeviceHoldsMacro(IDevice* device, const CMacro* macro);

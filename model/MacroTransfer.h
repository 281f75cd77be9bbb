#pragma once
// Macros (capability 4) between the store and the keyboard's macro store,
// and the macro files that the keyboard service reads and writes.

#include "model/CMacro.h"
#include "model/IKeyboardConfig.h"
#include "model/ProfileTransfer.h"
#include "service/ServiceInterfaces.h"

// Creates the macro on the keyboard with its name and steps; its new GUID
// goes into the macro.  True only when the keyboard took all of it.
bool RegisterMacro(IMacroManager* macros, CMacro* macro);
// Deletes the device macros the store does not know, except those in keep.
bool DeleteStaleMacros(IMacroManager* macros, IKeyboardConfig* config, const GuidSet& keep);
// Registers new macros and rewrites changed ones.
bool WriteMacros(IMacroManager* macros, IKeyboardConfig* config);
// Adds the device's macros to the store.  One whose name the store already
// has under another GUID goes into keep, so that a write does not delete
// what the user never saw.  False when a steps read failed.
bool ReadMacros(IMacroManager* macros, IKeyboardConfig* config, GuidSet& keep);
// A device macro as a temporary CMacro: GUID, name and steps.
bool ReadDeviceMacro(IDeviceMacro* device, CMacro& macro);
// The steps of a device macro; false when the read fails or the block is bad.
bool ReadDeviceMacroSteps(IDeviceMacro* device, std::vector<MacroStep>& steps);
// Sets the steps; false when the block cannot be built or the keyboard refuses it.
bool WriteDeviceMacroSteps(IDeviceMacro* device, const std::vector<MacroStep>& steps);

// Imports a macro file through the keyboard into a new store macro.
bool ImportMacroFile(IDevice* device, const wchar_t* path, IKeyboardConfig* config);
bool ExportMacroFile(IDevice* device, const wchar_t* path, const CMacro* macro);
bool DeviceHoldsMacro(IDevice* device, const CMacro* macro);

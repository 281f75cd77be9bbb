/* The programs call the service by vtable slot; these checks keep the IDL's
 * method order where the callers expect each operation. */
#include <stddef.h>

#include "KeyboardService.h"
#include "EmulatorControl.h"

#define SLOT(vtbl, method, n) \
    _Static_assert(offsetof(vtbl, method) == (n) * sizeof(void*), #vtbl "." #method " sits in slot " #n)

SLOT(IDeviceEnumeratorVtbl, GetDevice, 3);
SLOT(IDeviceVtbl, GetInfo, 3);
SLOT(IDeviceVtbl, GetFeature, 4);
SLOT(IDeviceIdentityVtbl, GetIdentity, 3);
SLOT(IProfileManagerVtbl, GetProfile, 3);
SLOT(IProfileManagerVtbl, SetActiveProfile, 5);
SLOT(IProfileManagerVtbl, GetActiveProfile, 6);
SLOT(IDeviceProfileVtbl, GetFeature, 3);
SLOT(IDeviceProfileVtbl, GetName, 5);
SLOT(IProfilePropertiesVtbl, GetProperty, 3);
SLOT(IProfilePropertiesVtbl, SetProperty, 4);
SLOT(IKeyAssignmentManagerVtbl, WriteKeys, 5);
SLOT(IMacroManagerVtbl, GetMacro, 3);
SLOT(IMacroManagerVtbl, CreateMacro, 5);
SLOT(IDeviceMacroVtbl, GetGuid, 3);
SLOT(IDeviceMacroVtbl, GetName, 4);
SLOT(IDeviceMacroVtbl, SetName, 5);
SLOT(IDeviceMacroVtbl, SetSteps, 8);
SLOT(ILedCollectionVtbl, GetLed, 3);
SLOT(ILedVtbl, On, 3);
SLOT(ILedVtbl, Off, 4);
SLOT(ILedVtbl, GetId, 6);
SLOT(ILedColorVtbl, SetColor, 3);
SLOT(ILedEffectVtbl, SetEffect, 3);
SLOT(ILedBrightnessVtbl, SetBrightness, 3);
SLOT(IDeviceModeVtbl, SetMode, 4);
SLOT(IDpiEventSourceVtbl, GetDpi, 10);
SLOT(_IProfileManagerEventsVtbl, OnProfileChanged, 3);
SLOT(_IOTFMacroRecordingEventsVtbl, OnMacroRecordingStarted, 3);
SLOT(_IOTFMacroRecordingEventsVtbl, OnMacroRecordingStopped, 4);
SLOT(_IOTFMacroRecordingEventsVtbl, OnMacroRecordingSaved, 5);
SLOT(_IOTFMacroRecordingEventsVtbl, OnMacroRecordingCanceled, 6);
SLOT(_IApplicationEventVtbl, OnLaunchApplication, 3);
SLOT(_IDPIEventsVtbl, OnDpiChanged, 3);

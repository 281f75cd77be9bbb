#pragma once
// The keyboard service's interfaces and records, as widl generates them from
// KeyboardService.idl and EmulatorControl.idl.

#include <windows.h>
#include <objbase.h>
#include <ocidl.h>

#include "KeyboardService.h"
#include "EmulatorControl.h"

#include <cstddef>
#include <cstdint>

// Records the programs exchange as raw bytes keep their exact layout.
static_assert(sizeof(DeviceKeyRecord) == 32, "DeviceKeyRecord is a 32-byte wire record");
static_assert(offsetof(DeviceKeyRecord, keyId) == 4 && offsetof(DeviceKeyRecord, actionType) == 8 &&
              offsetof(DeviceKeyRecord, data) == 12, "DeviceKeyRecord field offsets");
static_assert(sizeof(MacroStepsBlock) == 8 && sizeof(MacroStepsBlockStep) == 8, "macro-steps block layout");
static_assert(offsetof(DeviceInfo, productId) == 4 && offsetof(DeviceInfo, firstVersionMajor) == 16 &&
              offsetof(DeviceInfo, text) == 24, "DeviceInfo field offsets");

// Bytes of a macro-steps block of n steps: header, steps, 8 zero bytes.
constexpr uint32_t MacroStepsBlockSize(uint32_t steps) { return steps * 8u + 16u; }
// The most steps a block may carry; keeps every size computation in 32 bits.
constexpr uint32_t kMaxMacroSteps = 0x00FFFFFF;

// Texts the service keeps, in UTF-16 units without the terminator.
constexpr uint32_t kMaxProfileNameLength = 255;
constexpr uint32_t kMaxMacroNameLength = 255;
constexpr uint32_t kMaxApplicationPathLength = MAX_PATH - 1;
constexpr uint32_t kMaxLinkedProgramLength = PROFILE_LINKED_PROGRAM_BYTES / 2 - 1;

constexpr uint32_t kLedCount = 11;

// Failures the service reports besides E_INVALIDARG, E_POINTER and
// E_NOINTERFACE; callers only test for failure, tests tell them apart.
constexpr HRESULT ServiceWin32Failure(DWORD error) {
    return static_cast<HRESULT>((error & 0xFFFFu) | (FACILITY_WIN32 << 16) | 0x80000000u);
}
// An index past the last item.
constexpr HRESULT kServiceNoMoreItems = ServiceWin32Failure(ERROR_NO_MORE_ITEMS);
// No item with that GUID, or the item an object stood for was deleted.
constexpr HRESULT kServiceNotFound = ServiceWin32Failure(ERROR_NOT_FOUND);
// The keyboard is unplugged.
constexpr HRESULT kServiceNotConnected = ServiceWin32Failure(ERROR_DEVICE_NOT_CONNECTED);
// The caller's buffer cannot take the value.
constexpr HRESULT kServiceBufferTooSmall = ServiceWin32Failure(ERROR_INSUFFICIENT_BUFFER);
// A profile, macro or state file that does not parse or holds a bad value.
constexpr HRESULT kServiceBadFile = ServiceWin32Failure(ERROR_INVALID_DATA);
// A profile, macro or state file of another version.
constexpr HRESULT kServiceFileVersion = ServiceWin32Failure(ERROR_REVISION_MISMATCH);

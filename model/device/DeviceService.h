#pragma once
// Where the keyboard service comes from.  The programs create the
// registered DeviceService class; tests may hand in another source (a
// keyboard inside the test process).  The source is called on the thread
// that connects, so each apartment gets pointers of its own.

#include "model/device/DeviceCalls.h"
#include "platform/CComPtr.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>

using DeviceServiceFactory = HRESULT (*)(IDeviceEnumerator** service);

// Null: the registered DeviceService class (class context 23).
void SetDeviceServiceFactory(DeviceServiceFactory factory) noexcept;
HRESULT CreateDeviceService(IDeviceEnumerator** service);
// The first device from index 0 that isWanted(device) accepts; null when none.
template <class IsWanted, class Ok = CallSucceeded>
CComPtr<IDevice> FindServiceDevice(IDeviceEnumerator* service, IsWanted isWanted, Ok ok = Ok()) {
    CComPtr<IDevice> found;
    ForEachDeviceItem(service, &IDeviceEnumerator::GetDevice, [&](IDevice* device) {
        if (!isWanted(device))
            return true;
        found = device;
        return false;
    }, ok);
    return found;
}
// The first device whose description names productId; a device whose
// description cannot be read is passed over.
CComPtr<IDevice> FindServiceDevice(IDeviceEnumerator* service, uint32_t productId);

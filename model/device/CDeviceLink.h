#pragma once
// One connection to the keyboard: the service object and the keyboard's
// device, both of the apartment that opened them.

#include "platform/CComPtr.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>

class CDeviceLink {
public:
    CDeviceLink() = default;
    ~CDeviceLink() { Close(); }
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // False when a device is held already or none with productId is found.
    bool Open(uint32_t productId);
    // The device first, then the service.
    void Close() noexcept;
    IDevice* Device() const noexcept { return m_device; }
    bool IsOpen() const noexcept { return m_device != nullptr; }

private:
    CComPtr<IDeviceEnumerator> m_service;
    CComPtr<IDevice> m_device;
};

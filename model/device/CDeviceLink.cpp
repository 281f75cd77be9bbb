#include "model/device/CDeviceLink.h"

#include "model/device/DeviceService.h"

bool CDeviceLink::Open(uint32_t productId) {
    if (m_device || productId == 0)
        return false;
    if (FAILED(CreateDeviceService(&m_service)) || !m_service) {
        Close();
        return false;
    }
    m_device = FindServiceDevice(m_service, productId);
    if (!m_device)
        Close();
    return m_device != nullptr;
}

void CDeviceLink::Close() noexcept {
    m_device.Release();
    m_service.Release();
}

#include "tray/CRawInputRegistration.h"

#include <algorithm>

void CRawInputRegistration::AddUsage(USHORT usage) {
    if (std::find(m_usages.begin(), m_usages.end(), usage) == m_usages.end())
        m_usages.push_back(usage);
}

std::vector<RAWINPUTDEVICE> CRawInputRegistration::BuildDevices(const std::vector<USHORT>& usages, HWND window) {
    std::vector<RAWINPUTDEVICE> devices;
    for (USHORT usage : usages) {
        RAWINPUTDEVICE device = {};
        device.usUsagePage = 1;
        device.usUsage = usage;
        device.dwFlags = usage == kUsageMouse ? RIDEV_INPUTSINK : RIDEV_INPUTSINK | RIDEV_NOLEGACY;
        device.hwndTarget = window;
        devices.push_back(device);
    }
    return devices;
}

bool CRawInputRegistration::Register(HWND window) {
    if (m_registered || !m_devices.empty() || !window || m_usages.empty())
        return false;
    m_devices = BuildDevices(m_usages, window);
    m_registered = RegisterRawInputDevices(m_devices.data(), static_cast<UINT>(m_devices.size()),
                                           sizeof(RAWINPUTDEVICE)) != FALSE;
    return m_registered;
}

void CRawInputRegistration::Unregister() {
    if (!m_devices.empty()) {
        for (RAWINPUTDEVICE& device : m_devices) {
            device.dwFlags = RIDEV_REMOVE;
            device.hwndTarget = nullptr;
        }
        RegisterRawInputDevices(m_devices.data(), static_cast<UINT>(m_devices.size()), sizeof(RAWINPUTDEVICE));
    }
    m_devices.clear();
    m_usages.clear();
    m_registered = false;
}

CRawInputRegistration& GetRawInputRegistration() {
    static CRawInputRegistration registration;
    return registration;
}

#include "gui/core/CRawInputDevices.h"

#include <algorithm>
#include <cstring>
#include <new>

CRawInputDevices::CRawInputDevices(RegisterFunction registerDevices) : m_register(registerDevices) {}

CRawInputDevices::~CRawInputDevices() { UnregisterAll(nullptr); }

DWORD CRawInputDevices::FlagsFor(uint16_t usage) {
    return usage == kUsageMouse ? RIDEV_INPUTSINK : RIDEV_INPUTSINK | RIDEV_NOLEGACY;
}

bool CRawInputDevices::AddUsage(uint16_t usage) {
    if (std::find(m_usages.begin(), m_usages.end(), usage) != m_usages.end())
        return false;
    m_usages.push_back(usage);
    return true;
}

bool CRawInputDevices::RegisterAll(HWND target) {
    if (m_registered || m_devices || !target || m_usages.empty() || !m_register)
        return false;
    const size_t count = m_usages.size();
    std::unique_ptr<RAWINPUTDEVICE[]> devices(new (std::nothrow) RAWINPUTDEVICE[count]);
    if (!devices)
        return false;
    for (size_t i = 0; i < count; ++i)
        devices[i] = RAWINPUTDEVICE{1, m_usages[i], FlagsFor(m_usages[i]), target};
    // The record size of this build, never a size some other build had.
    if (!m_register(devices.get(), static_cast<UINT>(count), sizeof(RAWINPUTDEVICE)))
        return false;
    m_devices = std::move(devices);
    m_deviceCount = count;
    m_registered = true;
    m_target = target;
    return true;
}

bool CRawInputDevices::UnregisterAll(HWND client) {
    if (!m_devices || (client && client != m_target))
        return false;
    const size_t count = m_deviceCount;
    for (size_t i = 0; i < count; ++i) {
        m_devices[i].dwFlags = RIDEV_REMOVE;
        m_devices[i].hwndTarget = nullptr;
    }
    if (m_register)
        m_register(m_devices.get(), static_cast<UINT>(count), sizeof(RAWINPUTDEVICE));
    m_devices.reset();
    m_deviceCount = 0;
    m_usages.clear();
    m_registered = false;
    m_target = nullptr;
    return true;
}

CRawInputDevices& GetRawInputDevices() {
    static CRawInputDevices devices;
    return devices;
}

bool ParseRawKeyboard(const BYTE* data, UINT size, RAWKEYBOARD& keyboard) {
    constexpr UINT kNeeded = sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD);
    if (!data || size < kNeeded)
        return false;
    RAWINPUTHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.dwType != RIM_TYPEKEYBOARD)
        return false;
    std::memcpy(&keyboard, data + sizeof(RAWINPUTHEADER), sizeof keyboard);
    return true;
}

bool FetchRawKeyboard(HRAWINPUT input, RAWKEYBOARD& keyboard) {
    UINT size = 0;
    if (::GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0)
        return false;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
    if (!buffer)
        return false;
    const UINT copied = ::GetRawInputData(input, RID_INPUT, buffer.get(), &size, sizeof(RAWINPUTHEADER));
    if (copied == static_cast<UINT>(-1) || copied > size)
        return false;
    return ParseRawKeyboard(buffer.get(), copied, keyboard);
}

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

namespace {

// The record after the header, when the header says it is of that type and
// the bytes hold all of it.
template <typename Record>
bool ParseRawRecord(const BYTE* data, UINT size, DWORD type, Record& record) {
    constexpr UINT kNeeded = sizeof(RAWINPUTHEADER) + sizeof(Record);
    if (!data || size < kNeeded)
        return false;
    RAWINPUTHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.dwType != type)
        return false;
    std::memcpy(&record, data + sizeof(RAWINPUTHEADER), sizeof record);
    return true;
}

}  // namespace

bool ParseRawKeyboard(const BYTE* data, UINT size, RAWKEYBOARD& keyboard) {
    return ParseRawRecord(data, size, RIM_TYPEKEYBOARD, keyboard);
}

bool ParseRawMouse(const BYTE* data, UINT size, RAWMOUSE& mouse) {
    return ParseRawRecord(data, size, RIM_TYPEMOUSE, mouse);
}

bool FetchRawInput(HRAWINPUT input, std::vector<BYTE>& data) {
    data.clear();
    UINT size = 0;
    if (::GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0)
        return false;
    try {
        data.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const UINT copied = ::GetRawInputData(input, RID_INPUT, data.data(), &size, sizeof(RAWINPUTHEADER));
    if (copied == static_cast<UINT>(-1) || copied > data.size())
        return false;
    data.resize(copied);
    return true;
}

bool FetchRawKeyboard(HRAWINPUT input, RAWKEYBOARD& keyboard) {
    std::vector<BYTE> data;
    return FetchRawInput(input, data) && ParseRawKeyboard(data.data(), static_cast<UINT>(data.size()), keyboard);
}

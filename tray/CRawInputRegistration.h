#pragma once
// The tray program's raw-input registrations: the HID usages (page 1) to
// receive for one window, registered and removed as one list.

#include <windows.h>

#include <cstdint>
#include <vector>

class CRawInputRegistration {
public:
    static constexpr USHORT kUsageMouse = 2;
    static constexpr USHORT kUsageKeyboard = 6;

    ~CRawInputRegistration() { Unregister(); }

    // Appends the usage unless the list has it.
    void AddUsage(USHORT usage);
    // One device per usage in list order, all for window (input sink, and the
    // keyboard without legacy messages).  Only when nothing is registered, a
    // window is given and the list is not empty; true when registered.
    bool Register(HWND window);
    // Removes every registration, empties the list.
    void Unregister();

    bool IsRegistered() const noexcept { return m_registered; }
    const std::vector<USHORT>& GetUsages() const noexcept { return m_usages; }
    // The devices the list registers for window (also what Register passes).
    static std::vector<RAWINPUTDEVICE> BuildDevices(const std::vector<USHORT>& usages, HWND window);

private:
    std::vector<USHORT> m_usages;
    std::vector<RAWINPUTDEVICE> m_devices;
    bool m_registered = false;
};

CRawInputRegistration& GetRawInputRegistration();

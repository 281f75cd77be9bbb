#pragma once
// What Windows does when the keyboard is plugged in or pulled out: every
// top-level window gets WM_DEVICECHANGE with the keyboard's device-interface
// path.  Sent synchronously, so a window has seen it when Send returns.

#include <windows.h>

#include <cstdint>
#include <string>

class CDeviceBroadcast {
public:
    // "\\?\HID#VID_xxxx&PID_yyyy&MI_01&COL01#...#{mouse interface class}"
    static std::wstring DevicePath(uint32_t vendorId, uint32_t productId);
    // DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE; returns the windows reached.
    static int Send(bool arrival, uint32_t vendorId, uint32_t productId);
};

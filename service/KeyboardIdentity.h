#pragma once
// The keyboard as Windows announces it to the programs: the device-interface
// class its notifications come under (its extra keys report through a mouse
// collection), the path of its interface, and the tests of a path and of a
// WM_DEVICECHANGE record.  The product and vendor ids are the service's
// (KEYBOARD_PRODUCT_ID, KEYBOARD_VENDOR_ID).

#include "platform/CString.h"
#include "service/ServiceInterfaces.h"

#include <windows.h>
#include <dbt.h>

#include <cstdint>

// {378DE44C-56EF-11D1-BC8C-00A0C91405DD}, the mouse device-interface class.
extern const GUID kKeyboardNotificationClass;

// The path the keyboard's interface arrives and leaves under.
CString KeyboardDevicePath(uint32_t vendorId = KEYBOARD_VENDOR_ID, uint32_t productId = KEYBOARD_PRODUCT_ID);
// Whether a device-interface path names the keyboard: its vendor id ("VID_"
// and four hexadecimal digits) and product id ("PID_010F"), in any case.
bool IsKeyboardDevicePath(const wchar_t* path, uint32_t vendorId = KEYBOARD_VENDOR_ID);
// The path of a device-interface record, read no further than the size the
// record states (the path need not be terminated within it); false for a
// record of another kind or one too short to hold a path.
bool DeviceInterfacePathOf(const DEV_BROADCAST_HDR* header, CString& path);
// Asks for WM_DEVICECHANGE on the window when a device of the keyboard's
// interface class comes or goes; null when refused.
HDEVNOTIFY RegisterKeyboardNotification(HWND window);

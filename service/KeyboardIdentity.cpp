#include "service/KeyboardIdentity.h"

#include <cstddef>
#include <cwchar>

const GUID kKeyboardNotificationClass = {0x378DE44C, 0x56EF, 0x11D1, {0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD}};

CString KeyboardDevicePath(uint32_t vendorId, uint32_t productId) {
    CString path;
    path.Format(L"\\\\?\\HID#VID_%04X&PID_%04X&MI_01&COL01#7&2C4B1F0A&0&0000#"
                L"{378DE44C-56EF-11D1-BC8C-00A0C91405DD}",
                static_cast<unsigned>(vendorId & 0xFFFF), static_cast<unsigned>(productId & 0xFFFF));
    return path;
}

bool IsKeyboardDevicePath(const wchar_t* path, uint32_t vendorId) {
    if (!path)
        return false;
    CString upper(path);
    upper.MakeUpper();
    CString vendor;
    vendor.Format(L"VID_%04X", static_cast<unsigned>(vendorId & 0xFFFF));
    CString product;
    product.Format(L"PID_%04X", static_cast<unsigned>(KEYBOARD_PRODUCT_ID));
    return upper.Find(vendor) >= 0 && upper.Find(product) >= 0;
}

bool DeviceInterfacePathOf(const DEV_BROADCAST_HDR* header, CString& path) {
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        header->dbch_size < offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name))
        return false;
    const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t units = (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
    path = CString(record->dbcc_name, static_cast<int>(wcsnlen(record->dbcc_name, units)));
    return true;
}

HDEVNOTIFY RegisterKeyboardNotification(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kKeyboardNotificationClass;
    return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

#include "emulator/CDeviceBroadcast.h"

#include "service/KeyboardIdentity.h"

#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <vector>

std::wstring CDeviceBroadcast::DevicePath(uint32_t vendorId, uint32_t productId) {
    return std::wstring(KeyboardDevicePath(vendorId, productId).GetString());
}

static BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

int CDeviceBroadcast::Send(bool arrival, uint32_t vendorId, uint32_t productId) {
    std::wstring path = DevicePath(vendorId, productId);
    size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
    std::vector<BYTE> buffer(size, 0);
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    header->dbcc_size = static_cast<DWORD>(size);
    header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header->dbcc_classguid = kKeyboardNotificationClass;
    std::memcpy(header->dbcc_name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));

    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    int reached = 0;
    WPARAM event = arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    for (HWND hwnd : windows) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(hwnd, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(header),
                                SMTO_ABORTIFHUNG | SMTO_NORMAL, 2000, &result))
            ++reached;
    }
    return reached;
}

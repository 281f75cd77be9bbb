#include "emulator/CDeviceBroadcast.h"

#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <vector>

// The keyboard's extra keys report through a mouse collection, which is the
// interface class the programs register for.
static const GUID kMouseInterfaceClass = {0x378de44c, 0x56ef, 0x11d1, {0xbc, 0x8c, 0x00, 0xa0, 0xc9, 0x14, 0x05, 0xdd}};

std::wstring CDeviceBroadcast::DevicePath(uint32_t vendorId, uint32_t productId) {
    wchar_t path[160];
    std::swprintf(path, sizeof path / sizeof path[0],
                  L"\\\\?\\HID#VID_%04X&PID_%04X&MI_01&COL01#7&2C4B1F0A&0&0000#"
                  L"{378DE44C-56EF-11D1-BC8C-00A0C91405DD}",
                  static_cast<unsigned>(vendorId & 0xFFFF), static_cast<unsigned>(productId & 0xFFFF));
    return path;
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
    header->dbcc_classguid = kMouseInterfaceClass;
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

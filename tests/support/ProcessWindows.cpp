#include "tests/support/ProcessWindows.h"

#include <cwchar>

namespace {

struct FoundWindows {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<FoundWindows*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if ((found->processId == 0 || pid == found->processId) && wcscmp(name, found->className) == 0)
        found->windows.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
    FoundWindows found{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

std::wstring ImageOf(DWORD processId) {
    std::wstring path;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        wchar_t buffer[MAX_PATH * 2];
        DWORD size = MAX_PATH * 2;
        if (QueryFullProcessImageNameW(process, 0, buffer, &size))
            path.assign(buffer, size);
        CloseHandle(process);
    }
    return path;
}

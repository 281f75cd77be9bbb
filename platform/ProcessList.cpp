#include "platform/ProcessList.h"

#include <cwchar>

bool AnyProcess(const std::function<bool(const PROCESSENTRY32W&)>& visit) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = visit(entry);
    CloseHandle(snapshot);
    return found;
}

std::vector<DWORD> ProcessesNamed(const wchar_t* exeName) {
    std::vector<DWORD> found;
    AnyProcess([&](const PROCESSENTRY32W& entry) {
        if (_wcsicmp(entry.szExeFile, exeName) == 0)
            found.push_back(entry.th32ProcessID);
        return false;
    });
    return found;
}

void EndProcessesNamed(const wchar_t* exeName) {
    for (DWORD id : ProcessesNamed(exeName))
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
}

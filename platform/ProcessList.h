#pragma once
// The running processes, from one snapshot per walk.

#include <windows.h>
#include <tlhelp32.h>

#include <functional>
#include <vector>

// Walks the processes until visit returns true; false when the snapshot
// fails or nothing matched.
bool AnyProcess(const std::function<bool(const PROCESSENTRY32W&)>& visit);
// The processes that run an executable of that name (any case).
std::vector<DWORD> ProcessesNamed(const wchar_t* exeName);
// Ends every process that runs an executable of that name, waiting a while
// for each to be gone.
void EndProcessesNamed(const wchar_t* exeName);

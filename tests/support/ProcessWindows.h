#pragma once
// Other programs as a test of whole programs looks for them: their
// processes by executable name, and the top-level windows they show, by
// process and class.

#include <windows.h>

#include <string>
#include <vector>

// The processes that run an executable of that name (any case).
std::vector<DWORD> ProcessesNamed(const wchar_t* exeName);
// Ends every process that runs an executable of that name.
void EndProcessesNamed(const wchar_t* exeName);
// The full path of the executable a process runs; empty when not known.
std::wstring ImageOf(DWORD processId);

// Every top-level window of that class of the process (0: of any process).
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);

#pragma once
// Other programs as a test of whole programs looks for them: their
// processes by executable name (from the platform), the executable a process
// runs, and the top-level windows they show, by process and class.

#include "platform/ProcessList.h"

#include <windows.h>

#include <string>
#include <vector>

// The full path of the executable a process runs; empty when not known.
std::wstring ImageOf(DWORD processId);

// Every top-level window of that class of the process (0: of any process).
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);

#pragma once
// The top-level windows another program shows, found by process and class
// as a test of whole programs looks for them.

#include <windows.h>

#include <vector>

// Every top-level window of that class of the process (0: of any process).
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);

#pragma once
// A program that profiles link to for automatic switching.

#include "platform/CString.h"

#include <windows.h>

class CVqApp {
public:
    explicit CVqApp(const wchar_t* executableName);

    CString executable;  // the file name as the user chose it
    GUID guid;           // GUID_NULL until the keyboard knows the program
};

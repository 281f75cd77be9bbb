#pragma once
// The tray program's application object: one instance per session, behind
// a hidden modeless dialog.

#include "platform/CWinApp.h"

class CPoldSysTrayApp : public CWinApp {
public:
    // The named mutex whose existence marks a running instance.
    static const wchar_t* InstanceMutexName() { return L"TilvorSysTray"; }

    CPoldSysTrayApp() : CWinApp(L"PoldSysTray") {}
    BOOL InitInstance() override;
    int ExitInstance() override;
};

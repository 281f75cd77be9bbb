// MobekTilvorConfig.exe: the keyboard's configuration program.

#include "config/CKespaAppApp.h"
#include "platform/CWinApp.h"

#include <windows.h>

static CKespaAppApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    return AfxWinMain(instance, previous, commandLine, show);
}

// MobekTilvorSysTray.exe: the keyboard's notification-area program.

#include "platform/CWinApp.h"
#include "tray/CPcManager.h"
#include "tray/CPoldSysTrayApp.h"

#include <windows.h>

// Process-wide objects, built before the application starts and ended
// after it in the reverse order.
static CPoldSysTrayApp theApp;
CPcManager thePcManager;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    return AfxWinMain(instance, previous, commandLine, show);
}

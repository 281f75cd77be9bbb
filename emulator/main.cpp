// KeyboardEmulator.exe: the emulated keyboard's COM local server (started by
// COM with -Embedding, or by hand with "serve") and its control command.

#include "emulator/CControlCommand.h"
#include "emulator/CKeyboardServer.h"
#include "platform/CString.h"

#include <cstdio>

static bool IsSwitch(const wchar_t* arg, const wchar_t* name) {
    return arg && (arg[0] == L'-' || arg[0] == L'/') && CompareNoCase(arg + 1, name) == 0;
}

int wmain(int argc, wchar_t** argv) {
    const wchar_t* first = argc > 1 ? argv[1] : nullptr;
    if (IsSwitch(first, L"Embedding"))
        return CKeyboardServer(true).Run();
    if (first && CompareNoCase(first, L"serve") == 0 && argc == 2)
        return CKeyboardServer(false).Run();
    if (IsSwitch(first, L"RegServer") || IsSwitch(first, L"UnregServer")) {
        bool add = IsSwitch(first, L"RegServer");
        HRESULT hr = add ? CKeyboardServer::Register() : CKeyboardServer::Unregister();
        if (FAILED(hr)) {
            std::fwprintf(stderr, L"%ls failed: 0x%08lx\n", first, static_cast<unsigned long>(hr));
            return 1;
        }
        return 0;
    }
    return CControlCommand(stdout, stderr).Run(argc, argv);
}

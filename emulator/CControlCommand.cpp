#include "emulator/CControlCommand.h"

#include "emulator/CDeviceBroadcast.h"
#include "emulator/CFaultTable.h"
#include "emulator/CKeyTable.h"
#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "service/CProxyStubRegistration.h"
#include "service/ServiceInterfaces.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

bool Is(const wchar_t* a, const wchar_t* b) { return a && CompareNoCase(a, b) == 0; }

// A whole number, decimal or 0x-hexadecimal.
bool ParseNumber(const wchar_t* text, unsigned long long& value) {
    if (!text || !*text)
        return false;
    wchar_t* end = nullptr;
    bool hex = text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    if (!(hex ? std::iswxdigit(text[2]) : std::iswdigit(text[0])))
        return false;
    value = std::wcstoull(hex ? text + 2 : text, &end, hex ? 16 : 10);
    return end && !*end;
}

}  // namespace

void CControlCommand::PrintUsage(FILE* to) const {
    std::fwprintf(to,
                  L"usage: KeyboardEmulator <command>\n"
                  L"  plug | unplug\n"
                  L"  profile-key [index]\n"
                  L"  record start | stop | cancel | save <key name or id>\n"
                  L"  launch <path> [kind]\n"
                  L"  reset\n"
                  L"  dump\n"
                  L"  calls                 service calls served since the last count\n"
                  L"  fail <Interface.Method> <hresult> [once | always]\n"
                  L"  fail clear\n"
                  L"  quit\n"
                  L"  serve                 run the keyboard until quit\n"
                  L"  /RegServer | /UnregServer\n");
}

int CControlCommand::Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        PrintUsage(m_err);
        return 2;
    }
    const wchar_t* command = argv[1];
    const wchar_t* arg1 = argc > 2 ? argv[2] : nullptr;
    const wchar_t* arg2 = argc > 3 ? argv[3] : nullptr;
    const wchar_t* arg3 = argc > 4 ? argv[4] : nullptr;

    // Check the words before starting anything.
    unsigned long long number = 0;
    ULONG stage = 0, keyId = 0, kind = 1;
    HRESULT fault = S_OK;
    bool every = false;
    if (Is(command, L"plug") || Is(command, L"unplug") || Is(command, L"reset") || Is(command, L"dump") ||
        Is(command, L"calls") || Is(command, L"quit")) {
        if (arg1) {
            PrintUsage(m_err);
            return 2;
        }
    } else if (Is(command, L"profile-key")) {
        if (arg1 && !ParseNumber(arg1, number)) {
            PrintUsage(m_err);
            return 2;
        }
    } else if (Is(command, L"record")) {
        if (Is(arg1, L"start") && !arg2)
            stage = RECORDING_STAGE_STARTED;
        else if (Is(arg1, L"stop") && !arg2)
            stage = RECORDING_STAGE_STOPPED;
        else if (Is(arg1, L"cancel") && !arg2)
            stage = RECORDING_STAGE_CANCELED;
        else if (Is(arg1, L"save") && arg2 && !arg3) {
            stage = RECORDING_STAGE_SAVED;
            int index = CKeyTable::Instance().IndexOfName(arg2);
            if (index >= 0)
                keyId = CKeyTable::Instance().KeyIdAt(static_cast<size_t>(index));
            else if (ParseNumber(arg2, number) && number <= 0xFFFFFFFFull)
                keyId = static_cast<ULONG>(number);
            else {
                std::fwprintf(m_err, L"no key is called %ls\n", arg2);
                return 2;
            }
        } else {
            PrintUsage(m_err);
            return 2;
        }
    } else if (Is(command, L"launch")) {
        if (!arg1 || arg3 || (arg2 && (!ParseNumber(arg2, number) || number > 0xFFFFFFFFull))) {
            PrintUsage(m_err);
            return 2;
        }
        if (arg2)
            kind = static_cast<ULONG>(number);
    } else if (Is(command, L"fail")) {
        if (Is(arg1, L"clear") && !arg2) {
        } else if (arg1 && arg2 && ParseNumber(arg2, number) && number <= 0xFFFFFFFFull &&
                   (!arg3 || Is(arg3, L"once") || Is(arg3, L"always"))) {
            if (!CFaultTable::IsKnownOperation(arg1)) {
                std::fwprintf(m_err, L"no operation is called %ls; they are:\n", arg1);
                for (const std::wstring& op : CFaultTable::Operations())
                    std::fwprintf(m_err, L"  %ls\n", op.c_str());
                return 2;
            }
            fault = static_cast<HRESULT>(static_cast<ULONG>(number));
            every = Is(arg3, L"always");
        } else {
            PrintUsage(m_err);
            return 2;
        }
    } else {
        PrintUsage(m_err);
        return 2;
    }

    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        return 1;
    int exitCode = 0;
    {
        CProxyStubRegistration proxies;
        CComPtr<IKeyboardEmulatorControl> control;
        hr = control.CoCreateInstance(CLSID_DeviceService, IID_IKeyboardEmulatorControl, CLSCTX_LOCAL_SERVER);
        if (SUCCEEDED(hr)) {
            if (Is(command, L"plug") || Is(command, L"unplug")) {
                bool arrival = Is(command, L"plug");
                ULONG vendorId = 0, productId = 0;
                hr = control->SetPresent(arrival, &vendorId, &productId);
                if (SUCCEEDED(hr)) {
                    int reached = CDeviceBroadcast::Send(arrival, vendorId, productId);
                    std::fwprintf(m_out, L"%ls: WM_DEVICECHANGE sent to %d windows\n", command, reached);
                }
            } else if (Is(command, L"profile-key")) {
                hr = control->PressProfileKey(arg1 ? static_cast<LONG>(number) : -1);
            } else if (Is(command, L"record")) {
                hr = control->RunRecordingStage(stage, keyId);
            } else if (Is(command, L"launch")) {
                hr = control->PressLaunchKey(kind, arg1);
            } else if (Is(command, L"reset")) {
                hr = control->ResetToFactory();
            } else if (Is(command, L"dump")) {
                ULONG cb = 0;
                BYTE* text = nullptr;
                hr = control->DumpState(&cb, &text);
                if (SUCCEEDED(hr) && text) {
                    std::fflush(m_out);
                    std::fwrite(text, 1, cb, m_out);
                    std::fflush(m_out);
                }
                CoTaskMemFree(text);
            } else if (Is(command, L"fail")) {
                hr = Is(arg1, L"clear") ? control->ClearFaults() : control->InjectFault(arg1, fault, every);
            } else if (Is(command, L"calls")) {
                ULONG count = 0;
                hr = control->TakeCallCount(&count);
                if (SUCCEEDED(hr))
                    std::fwprintf(m_out, L"%lu\n", static_cast<unsigned long>(count));
            } else if (Is(command, L"quit")) {
                ULONG pid = 0;
                hr = control->Quit(&pid);
            }
        }
        if (FAILED(hr)) {
            std::fwprintf(m_err, L"%ls failed: 0x%08lx\n", command, static_cast<unsigned long>(hr));
            exitCode = 1;
        }
    }
    CoUninitialize();
    return exitCode;
}

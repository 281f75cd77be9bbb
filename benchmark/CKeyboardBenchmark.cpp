#include "benchmark/CKeyboardBenchmark.h"

#include "config/AssignmentActions.h"
#include "config/StartupSettings.h"
#include "emulator/CKeyboardServer.h"
#include "gui/skin/CKeyboardDef.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolTables.h"
#include "model/device/CBaseDevice.h"
#include "model/store/CMacro.h"
#include "model/device/DeviceDescriptor.h"
#include "model/device/DeviceService.h"
#include "model/store/KeyAssignment.h"
#include "model/device/KeyboardDevices.h"
#include "model/store/MacroStep.h"
#include "platform/Guid.h"
#include "platform/ProcessList.h"
#include "service/CProxyStubRegistration.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>

namespace {

// A full keyboard.
constexpr int kProfiles = 20;
constexpr int kMacros = 20;
constexpr int kStepsPerMacro = 50;
constexpr int kLeds = 11;
constexpr int kPrograms = 10;

constexpr int kWarmUpCalls = 20;
constexpr int kRoundTripCalls = 300;
constexpr DWORD kQuietBeforeMs = 400;
// A write waits this long after its last call before its worker ends.
constexpr double kWriteSettleMs = CBaseDevice::kWriteSettleMs;

// The full write sends a few thousand calls; the others far fewer.
constexpr DWORD kFullWriteTimeoutMs = 120000;
constexpr DWORD kWriteTimeoutMs = 30000;
constexpr DWORD kMainWindowTimeoutMs = 60000;
constexpr DWORD kProgramEndTimeoutMs = 15000;
constexpr DWORD kCallCountProbeMs = 3000;

const wchar_t kConfigProgram[] = L"MobekTilvorConfig.exe";

constexpr uint8_t kModifierCycle[] = {0, kModifierShift, kModifierCtrl, kModifierAlt, kModifierCtrl | kModifierShift};

// The lighting page's two effects.
constexpr uint32_t kEffectSteady = 0;
constexpr uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF, 0xFF8000};

struct Key {
    uint16_t scan;  // set-1 scan code
    uint16_t vk;
};
constexpr Key kLetters[] = {{0x1E, 'A'}, {0x30, 'B'}, {0x2E, 'C'}, {0x20, 'D'},
                            {0x12, 'E'}, {0x21, 'F'}, {0x22, 'G'}, {0x23, 'H'}};
// The full store never assigns these with Ctrl+Alt, so each edit is a change.
constexpr Key kEditKeys[] = {{0x2C, 'Z'}, {0x2D, 'X'}};

// Every kind the store takes, cycled over the keys of a profile and shifted
// by one per profile.
enum class Kind { SingleKey, Macro, ProfileSwitch, Disabled, ProgramLaunch };
constexpr Kind kKindCycle[] = {Kind::SingleKey, Kind::Macro,    Kind::ProfileSwitch, Kind::SingleKey,
                               Kind::Disabled,  Kind::ProgramLaunch, Kind::Macro};

double NowMs() {
    static const double msPerTick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1000.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * msPerTick;
}

std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string Utf8(const std::wstring& text) { return CString(text).ToUtf8(); }

// A single-threaded apartment that stops taking messages stalls whatever
// calls into it, so every wait here keeps them moving.
void PumpMessages(DWORD waitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool WaitPumping(HANDLE handle, DWORD timeoutMs) {
    const double start = NowMs();
    for (;;) {
        const double elapsed = NowMs() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD left = timeoutMs - static_cast<DWORD>(elapsed);
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        PumpMessages(0);
    }
}

// A server already running keeps the state file it started with.
bool StopRunningEmulator() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CKeyboardServer::MutexName());
    if (!mutex)
        return true;
    CloseHandle(mutex);
    CComPtr<IKeyboardEmulatorControl> control;
    HRESULT hr = control.CoCreateInstance(CLSID_DeviceService, IID_IKeyboardEmulatorControl, CLSCTX_LOCAL_SERVER);
    ULONG pid = 0;
    if (SUCCEEDED(hr))
        hr = control->Quit(&pid);
    control.Release();
    if (FAILED(hr)) {
        std::fprintf(stderr, "benchmark: the running emulated keyboard could not be stopped (0x%08lx)\n",
                     static_cast<unsigned long>(hr));
        return false;
    }
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid)) {
        const bool ended = WaitPumping(process, 10000);
        CloseHandle(process);
        if (!ended) {
            std::fprintf(stderr, "benchmark: the running emulated keyboard did not end\n");
            return false;
        }
    }
    return true;
}


HWND FindMainWindow(DWORD pid) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kSingleInstanceName, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// Closes the program as its title bar would; one that does not end in time is ended.
void EndProgramWithin(HANDLE process, HWND main, DWORD timeoutMs) {
    if (main && IsWindow(main))
        PostMessageW(main, WM_CLOSE, 0, 0);
    if (!WaitPumping(process, timeoutMs)) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
}

CString ProgramPath(int n) {
    CString path;
    path.Format(L"C:\\Games\\Title %02d\\title%02d.exe", n + 1, n + 1);
    return path;
}

// Taps of a letter, a pause after each press and each release, then a left
// click: kStepsPerMacro steps.
constexpr int kTapsPerMacro = (kStepsPerMacro - 2) / 4;
static_assert(kTapsPerMacro * 4 + 2 == kStepsPerMacro, "a macro is whole taps and one click");

std::vector<MacroStep> MacroSteps(int seed) {
    std::vector<MacroStep> steps;
    for (int tap = 0; tap < kTapsPerMacro; ++tap) {
        const Key& key = kLetters[(seed + tap) % std::size(kLetters)];
        const int32_t value = key.vk << 16 | key.scan;
        steps.push_back({MacroStepKey, value, kStepPress});
        steps.push_back({MacroStepDelay, 20 + seed, 0});
        steps.push_back({MacroStepKey, value, kStepRelease});
        steps.push_back({MacroStepDelay, 30, 0});
    }
    steps.push_back({MacroStepMouseButton, 1, kStepPress});
    steps.push_back({MacroStepMouseButton, 1, kStepRelease});
    return steps;
}

// The records the program's assignment actions make: by GUID once the
// keyboard knows the target, by name or path before.
KeyAssignment MacroRecord(const CMacro& macro, int32_t playMode) {
    const int32_t repeat = playMode == kPlayModeRepeat ? 3 : 0;
    if (IsNullGuid(macro.guid))
        return KeyAssignment::ByName(AssignmentMacroByName, macro.GetName(), playMode, repeat);
    return KeyAssignment::ByGuid(AssignmentMacro, macro.guid, playMode, repeat);
}

KeyAssignment ProfileRecord(IKeyboardProfile& profile) {
    if (IsNullGuid(profile.GetGuid()))
        return KeyAssignment::ByName(AssignmentProfileSwitchByName, profile.GetName());
    return KeyAssignment::ByGuid(AssignmentProfileSwitch, profile.GetGuid());
}

KeyAssignment ProgramRecord(const CVqApp& program) {
    if (IsNullGuid(program.guid))
        return KeyAssignment::ByName(AssignmentLaunchProgramByPath, program.executable);
    return KeyAssignment::ByGuid(AssignmentLaunchProgram, program.guid);
}

// What key n of profile p gets in the full store.
KeyAssignment FullStoreAssignment(IKeyboardConfig& store, int p, int n) {
    const int turn = p + n;
    switch (kKindCycle[turn % std::size(kKindCycle)]) {
    case Kind::SingleKey: {
        const Key& key = kLetters[turn % std::size(kLetters)];
        return KeyAssignment::SingleKey(key.scan, key.vk, kModifierCycle[turn % std::size(kModifierCycle)]);
    }
    case Kind::Macro:
        if (CMacro* macro = store.GetMacro(turn % kMacros))
            return MacroRecord(*macro, 1 + turn % 4);
        break;
    case Kind::ProfileSwitch:
        if (IKeyboardProfile* target = store.GetProfile((p + 1 + n) % store.GetProfileCount()))
            return ProfileRecord(*target);
        break;
    case Kind::ProgramLaunch:
        if (CVqApp* program = store.GetApplication(turn % kPrograms))
            return ProgramRecord(*program);
        break;
    case Kind::Disabled:
        break;
    }
    return KeyAssignment::Disabled();
}

struct CallCountProbe {
    long long count = -1;
};

DWORD WINAPI ProbeCallCount(void* parameter) {
    auto* probe = static_cast<CallCountProbe*>(parameter);
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 1;
    {
        CProxyStubRegistration proxies;
        CComPtr<IKeyboardEmulatorControl> control;
        ULONG count = 0;
        if (SUCCEEDED(control.CoCreateInstance(CLSID_DeviceService, IID_IKeyboardEmulatorControl,
                                               CLSCTX_LOCAL_SERVER)) &&
            SUCCEEDED(control->TakeCallCount(&count)))
            probe->count = count;
    }
    CoUninitialize();
    return 0;
}

}  // namespace

CKeyboardBenchmark::CKeyboardBenchmark(int writes) : m_writes(writes) {}

CKeyboardBenchmark::~CKeyboardBenchmark() { DropStoreAndDevice(); }

int CKeyboardBenchmark::Run() {
    if (!FindFolders() || !LoadKeyDefinitions() || !ConnectKeyboard())
        return 1;
    using Scenario = void (CKeyboardBenchmark::*)();
    const Scenario scenarios[] = {
        &CKeyboardBenchmark::FirstWriteOfFullStore,    &CKeyboardBenchmark::FirstReadOfFullKeyboard,
        &CKeyboardBenchmark::ApplyAfterOneKeyChanged,  &CKeyboardBenchmark::ApplyAfterNothingChanged,
        &CKeyboardBenchmark::CancelReread,             &CKeyboardBenchmark::ProgramStartToMainWindow,
        &CKeyboardBenchmark::WritesInARow,
    };
    for (Scenario scenario : scenarios) {
        // A hung write still holds the device object: nothing after it can run.
        if (m_writeHung)
            break;
        (this->*scenario)();
    }
    PrintTable();
    bool ok = !m_writeHung;
    for (const Row& row : m_rows)
        ok = ok && row.ok;
    return ok ? 0 : 1;
}

bool CKeyboardBenchmark::FindFolders() {
    wchar_t exe[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    // The build puts this program in bin\, beside the installed tree dist\.
    wchar_t dist[MAX_PATH] = {};
    const DWORD distLength = GetFullPathNameW((folder + L"..\\dist\\").c_str(), MAX_PATH, dist, nullptr);
    m_distFolder.assign(dist, distLength < MAX_PATH ? distLength : 0);
    if (m_distFolder.empty() ||
        GetFileAttributesW((m_distFolder + kConfigProgram).c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "benchmark: no installed tree with %s beside this program (looked in %s)\n",
                     Utf8(kConfigProgram).c_str(), Utf8(m_distFolder).c_str());
        return false;
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_workFolder = std::wstring(temp) + L"MobekTilvorBenchmark\\";
    if (!CreateDirectoryW(m_workFolder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "benchmark: cannot make the folder %s (error %lu)\n", Utf8(m_workFolder).c_str(),
                     GetLastError());
        return false;
    }
    m_stateFile = m_workFolder + L"keyboard.xml";
    return true;
}

bool CKeyboardBenchmark::LoadKeyDefinitions() {
    // As the program does: its symbol tables, then the installed tree's
    // keyboard-layout skin file, whose key-definition element reads the
    // files in bin\ and gives the device layer its key table.
    InitSymbolTables();
    SetApplicationDirectory(m_distFolder.c_str());
    if (!LoadXmlDescription(&m_layouts, L"KeyboardLayout.xml", nullptr, false)) {
        std::fprintf(stderr, "benchmark: the key definitions could not be read (%sxml\\KeyboardLayout.xml and bin\\)\n",
                     Utf8(m_distFolder).c_str());
        return false;
    }
    for (const auto& entry : GetKeyboardDef().GetAssignable()) {
        m_keys.push_back(entry.first);
        if (entry.second.name.CompareNoCase(L"F1") == 0)
            m_editedKey = entry.first;
    }
    if (m_keys.empty()) {
        std::fprintf(stderr, "benchmark: the key definitions name no assignable key\n");
        return false;
    }
    if (m_editedKey == 0)
        m_editedKey = m_keys.front();
    return true;
}

bool CKeyboardBenchmark::ConnectKeyboard() {
    if (!StopRunningEmulator())
        return false;
    // A fresh file of its own; the server COM starts reads the file named in
    // the environment it inherits from this process.
    DeleteFileW(m_stateFile.c_str());
    SetEnvironmentVariableW(L"TILVOR_KEYBOARD_STATE", m_stateFile.c_str());
    HRESULT hr;
    // Just after a server has ended, Wine reports the class as not registered for a moment.
    for (DWORD wait = 100;; wait *= 2) {
        hr = CreateDeviceService(&m_service);
        if (hr != REGDB_E_CLASSNOTREG || wait > 3200)
            break;
        Sleep(wait);
    }
    if (SUCCEEDED(hr))
        hr = m_service.QueryInterface(&m_control);
    if (SUCCEEDED(hr))
        hr = m_service->GetDevice(0, &m_device);
    if (FAILED(hr) || !m_device) {
        std::fprintf(stderr,
                     "benchmark: the emulated keyboard could not be reached through COM (0x%08lx); "
                     "is KeyboardEmulator.exe registered (/RegServer)?\n",
                     static_cast<unsigned long>(hr));
        return false;
    }
    return true;
}

bool CKeyboardBenchmark::StartCounting(Row& row) {
    // The emulator saves its state file about 100 ms after the last change;
    // that save belongs neither in the round trip nor in the next scenario.
    for (const double start = NowMs(); NowMs() - start < kQuietBeforeMs;)
        PumpMessages(10);
    auto call = [this] {
        DeviceInfo info = {};
        const HRESULT hr = m_device->GetInfo(&info);
        CoTaskMemFree(info.text);
        return hr;
    };
    for (int i = 0; i < kWarmUpCalls; ++i)
        if (FAILED(call())) {
            row.note = "IDevice::GetInfo failed: no round trip";
            return false;
        }
    const double start = NowMs();
    for (int i = 0; i < kRoundTripCalls; ++i)
        call();
    row.roundTripMs = (NowMs() - start) / kRoundTripCalls;
    long long ignored = 0;
    if (!TakeCalls(ignored)) {
        row.note = "the emulated keyboard did not give its call count";
        return false;
    }
    return true;
}

bool CKeyboardBenchmark::TakeCalls(long long& count) {
    ULONG taken = 0;
    if (!m_control || FAILED(m_control->TakeCallCount(&taken))) {
        count = -1;
        return false;
    }
    count = taken;
    return true;
}

bool CKeyboardBenchmark::TakeCallsWithin(DWORD timeoutMs, long long& count) {
    count = -1;
    auto* probe = new CallCountProbe;
    HANDLE thread = CreateThread(nullptr, 0, ProbeCallCount, probe, 0, nullptr);
    if (!thread) {
        delete probe;
        return false;
    }
    // A probe that does not answer keeps its record: the process ends soon.
    const bool answered = WaitPumping(thread, timeoutMs);
    CloseHandle(thread);
    if (!answered)
        return false;
    count = probe->count;
    delete probe;
    return count >= 0;
}

bool CKeyboardBenchmark::MakeStoreAndDevice(std::string& why) {
    DropStoreAndDevice();
    m_store = std::make_unique<CKespaConfig>(m_workFolder.c_str());
    m_keyboard = CreateKeyboardDevice(m_store.get());
    // The null keyboard stands in when the keyboard cannot be reached or read.
    if (!m_keyboard || !m_keyboard->IsConnected() || m_keyboard->GetProductId() == 0) {
        why = "the keyboard could not be reached or read: the null keyboard came back";
        return false;
    }
    if (!m_keyboard->Sync(m_store.get(), kSyncRead, kMaskFirstRead)) {
        why = "the first read failed";
        return false;
    }
    if (!m_store->GetActiveProfile())
        m_store->SetActiveProfile(m_store->GetProfile(0));
    if (!m_store->GetActiveProfile()) {
        why = "the keyboard holds no profile";
        return false;
    }
    return true;
}

void CKeyboardBenchmark::DropStoreAndDevice() {
    DestroyKeyboardDevices();
    m_keyboard = nullptr;
    m_store.reset();
}

void CKeyboardBenchmark::FillStore() {
    IKeyboardConfig& store = *m_store;
    for (int n = store.GetProfileCount(); n < kProfiles; ++n) {
        CString name;
        name.Format(L"Profile %d", n + 1);
        store.CreateProfile(name);
    }
    for (int n = 0; n < kPrograms; ++n)
        if (!store.FindApplicationByName(ProgramPath(n)))
            store.AddApplication(ProgramPath(n));
    for (int n = 0; n < kMacros; ++n) {
        CString name;
        name.Format(L"Macro %02d", n + 1);
        CMacro* macro = store.FindMacroByName(name);
        if (!macro)
            macro = store.AddMacro(name);
        if (macro)
            macro->steps = MacroSteps(n);
    }
    for (int p = 0; p < store.GetProfileCount(); ++p) {
        IKeyboardProfile* profile = store.GetProfile(p);
        if (!profile)
            continue;
        // One profile per program: two profiles linked to one program would
        // leave the automatic switch nothing to choose by.
        if (p < kPrograms) {
            profile->SetLinkedApplication(ProgramPath(p));
            profile->SetAutoSwitch(1);
        }
        profile->SetShowOsd(p % 2 == 0 ? 1 : 0);
        for (size_t n = 0; n < m_keys.size(); ++n)
            profile->SetKeyAssignment(m_keys[n], FullStoreAssignment(store, p, static_cast<int>(n)));
        for (int led = 0; led < kLeds; ++led) {
            profile->SetLedEnabled(led, 1);
            profile->SetLedColor(led, kColours[(led + p) % std::size(kColours)]);
            profile->SetLedBrightness(led, 50 + 5 * led);
            profile->SetLedEffect(led, (led + p) % 2 ? kLedEffectOn : kEffectSteady);
        }
    }
}

void CKeyboardBenchmark::ChangeOneKey() {
    const Key& key = kEditKeys[m_edits++ % std::size(kEditKeys)];
    m_store->SetKeyAssignment(m_editedKey, KeyAssignment::SingleKey(key.scan, key.vk, kModifierCtrl | kModifierAlt), nullptr);
}

CKeyboardBenchmark::WriteEnd CKeyboardBenchmark::WriteAndWait(DWORD timeoutMs, double& elapsedMs) {
    const double start = NowMs();
    if (!m_keyboard->Sync(m_store.get(), kSyncWrite, kMaskAll)) {
        elapsedMs = NowMs() - start;
        return WriteEnd::NotStarted;
    }
    while (m_keyboard->IsBusy() || m_keyboard->GetLastWriteResult() == WriteResult::Running) {
        if (NowMs() - start > timeoutMs) {
            elapsedMs = NowMs() - start;
            m_writeHung = true;
            return WriteEnd::Hung;
        }
        PumpMessages(1);
    }
    elapsedMs = NowMs() - start;
    return m_keyboard->GetLastWriteResult() == WriteResult::Succeeded ? WriteEnd::Succeeded : WriteEnd::Failed;
}

CKeyboardBenchmark::Row CKeyboardBenchmark::TimedWrite(int number, const char* name, DWORD timeoutMs) {
    Row row;
    row.number = number;
    row.name = name;
    if (!StartCounting(row))
        return row;
    const WriteEnd end = WriteAndWait(timeoutMs, row.wallMs);
    if (end == WriteEnd::Succeeded || end == WriteEnd::Failed)
        row.settleMs = kWriteSettleMs;
    switch (end) {
    case WriteEnd::Succeeded: row.ok = true; break;
    case WriteEnd::Failed: row.note = "the write ended as failed"; break;
    case WriteEnd::NotStarted: row.note = "the write did not start"; break;
    case WriteEnd::Hung:
        row.hung = true;
        row.note = Format("the write had not ended after %lu s", timeoutMs / 1000);
        break;
    }
    if (end == WriteEnd::Hung)
        TakeCallsWithin(kCallCountProbeMs, row.calls);
    else
        TakeCalls(row.calls);
    return row;
}

bool CKeyboardBenchmark::NeedsStore(int number, const char* name) {
    std::fprintf(stderr, "benchmark: %d %s\n", number, name);
    if (m_store && m_keyboard)
        return true;
    Row row;
    row.number = number;
    row.name = name;
    row.note = "not run: no store, the read before it failed";
    m_rows.push_back(row);
    return false;
}

void CKeyboardBenchmark::FirstWriteOfFullStore() {
    const char* name = "first write of a full store to an empty keyboard";
    std::fprintf(stderr, "benchmark: 1 %s\n", name);
    Row row;
    row.number = 1;
    row.name = name;
    const HRESULT reset = m_control->ResetToFactory();
    std::string why;
    if (FAILED(reset)) {
        row.note = Format("the keyboard was not reset to factory (0x%08lx)", static_cast<unsigned long>(reset));
    } else if (!MakeStoreAndDevice(why)) {
        row.note = why;
    } else {
        FillStore();
        row = TimedWrite(1, name, kFullWriteTimeoutMs);
    }
    m_rows.push_back(row);
}

void CKeyboardBenchmark::FirstReadOfFullKeyboard() {
    Row row;
    row.number = 2;
    row.name = "first read of the full keyboard (at start)";
    std::fprintf(stderr, "benchmark: 2 %s\n", row.name.c_str());
    DropStoreAndDevice();
    if (!StartCounting(row)) {
        m_rows.push_back(row);
        return;
    }
    std::string why;
    const double start = NowMs();
    row.ok = MakeStoreAndDevice(why);
    row.wallMs = NowMs() - start;
    TakeCalls(row.calls);
    if (!row.ok) {
        row.note = why;
    } else if (m_store->GetProfileCount() != kProfiles || m_store->GetMacroCount() != kMacros ||
               m_store->GetApplicationCount() != kPrograms) {
        // The first read's mask takes profiles, macros and programs: a short
        // count means the write before did not leave the keyboard full.
        row.ok = false;
        row.note = Format("read back %d profiles, %d macros, %d programs", m_store->GetProfileCount(),
                          m_store->GetMacroCount(), m_store->GetApplicationCount());
    }
    m_rows.push_back(row);
}

void CKeyboardBenchmark::ApplyAfterOneKeyChanged() {
    const char* name = "Apply after one key changed";
    if (!NeedsStore(3, name))
        return;
    ChangeOneKey();
    m_rows.push_back(TimedWrite(3, name, kWriteTimeoutMs));
}

void CKeyboardBenchmark::ApplyAfterNothingChanged() {
    const char* name = "Apply after nothing changed";
    if (!NeedsStore(4, name))
        return;
    m_rows.push_back(TimedWrite(4, name, kWriteTimeoutMs));
}

void CKeyboardBenchmark::CancelReread() {
    const char* name = "Cancel's re-read (read of every step)";
    if (!NeedsStore(5, name))
        return;
    Row row;
    row.number = 5;
    row.name = name;
    if (!StartCounting(row)) {
        m_rows.push_back(row);
        return;
    }
    const double start = NowMs();
    row.ok = m_keyboard->Sync(m_store.get(), kSyncRead, kMaskAll);
    row.wallMs = NowMs() - start;
    TakeCalls(row.calls);
    if (!row.ok)
        row.note = "the read failed";
    m_rows.push_back(row);
}

void CKeyboardBenchmark::ProgramStartToMainWindow() {
    Row row;
    row.number = 6;
    row.name = "program start to its main window";
    std::fprintf(stderr, "benchmark: 6 %s\n", row.name.c_str());
    // The program makes its install folder its current folder; the installed
    // tree is where it finds its skin and its tray program.
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProgramRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        row.note = "the program's registry key could not be opened for writing";
        m_rows.push_back(row);
        return;
    }
    const LONG written =
        RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_distFolder.c_str()),
                       static_cast<DWORD>((m_distFolder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (written != ERROR_SUCCESS) {
        row.note = Format("the program's install folder could not be set in the registry (error %ld)", written);
        m_rows.push_back(row);
        return;
    }

    const std::wstring exe = m_distFolder + kConfigProgram;
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!StartCounting(row)) {
        m_rows.push_back(row);
        return;
    }
    const double start = NowMs();
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, m_distFolder.c_str(),
                        &startup, &started)) {
        row.note = Format("the program could not be started (error %lu)", GetLastError());
        m_rows.push_back(row);
        return;
    }
    CloseHandle(started.hThread);
    HWND main = nullptr;
    while (!(main = FindMainWindow(started.dwProcessId)) && NowMs() - start < kMainWindowTimeoutMs &&
           WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT)
        PumpMessages(2);
    row.wallMs = NowMs() - start;
    TakeCalls(row.calls);
    row.ok = main != nullptr;
    DWORD exitCode = 0;
    if (!main && WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(started.hProcess, &exitCode))
        row.note = Format("the program ended (exit code %lu) before its main window showed", exitCode);
    else if (!main)
        row.note = Format("no main window within %lu s", kMainWindowTimeoutMs / 1000);
    else if (!ProcessesNamed(kTrayProgram).empty())
        row.note = "the tray program it starts was running when the window showed; its calls are in the count";
    else
        row.note = "no tray program was running yet when the window showed";
    EndProgramWithin(started.hProcess, main, kProgramEndTimeoutMs);
    CloseHandle(started.hProcess);
    EndProcessesNamed(kTrayProgram);
    m_rows.push_back(row);
}

void CKeyboardBenchmark::WritesInARow() {
    if (m_writes <= 0)
        return;
    const std::string name = Format("%d writes in a row, one key changed before each", m_writes);
    m_loop.asked = m_writes;
    if (!NeedsStore(7, name.c_str()))
        return;
    Row row;
    row.number = 7;
    row.name = name;
    row.isLoop = true;
    if (!StartCounting(row)) {
        m_rows.push_back(row);
        return;
    }
    const double start = NowMs();
    for (int i = 0; i < m_writes && !m_writeHung; ++i) {
        ChangeOneKey();
        double elapsed = 0;
        switch (WriteAndWait(kWriteTimeoutMs, elapsed)) {
        case WriteEnd::Succeeded:
            ++m_loop.succeeded;
            m_loop.times.push_back(elapsed);
            break;
        case WriteEnd::Failed:
            ++m_loop.failed;
            m_loop.times.push_back(elapsed);
            break;
        case WriteEnd::NotStarted: ++m_loop.failed; break;
        case WriteEnd::Hung: ++m_loop.hung; break;
        }
    }
    row.wallMs = NowMs() - start;
    row.settleMs = kWriteSettleMs * static_cast<double>(m_loop.times.size());
    if (m_writeHung)
        TakeCallsWithin(kCallCountProbeMs, row.calls);
    else
        TakeCalls(row.calls);
    row.ok = m_loop.failed == 0 && m_loop.hung == 0;
    row.hung = m_loop.hung > 0;
    if (m_loop.hung)
        row.note = Format("write %d had not ended after %lu s; the loop stopped there",
                          m_loop.succeeded + m_loop.failed + 1, kWriteTimeoutMs / 1000);
    else if (m_loop.failed)
        row.note = Format("%d of the writes failed", m_loop.failed);
    m_rows.push_back(row);
}

void CKeyboardBenchmark::PrintTable() const {
    std::printf("\nKeyboard benchmark: KeyboardEmulator.exe out of process, reached through COM\n");
    std::printf("  state file  %s\n", Utf8(m_stateFile).c_str());
    std::printf("  full store  %d profiles x %zu keys, %d macros x %d steps, LEDs 0-%d of every profile, "
                "%d programs\n\n",
                kProfiles, m_keys.size(), kMacros, kStepsPerMacro, kLeds - 1, kPrograms);

    const int nameWidth = 50;
    const char* const header = "  %-2s %-*s %-6s %9s %6s %6s %7s %11s %9s\n";
    std::printf(header, "#", nameWidth, "scenario", "result", "wall ms", "settle", "calls", "rtt ms", "calls x rtt",
                "rest ms");
    std::printf(header, "--", nameWidth, std::string(nameWidth, '-').c_str(), "------", "---------", "------",
                "------", "-------", "-----------", "---------");
    auto printRow = [&](const std::string& number, const std::string& name, const char* result, double wallMs,
                        double settleMs, double calls, double roundTripMs) {
        const std::string settle = settleMs > 0 ? Format("%.0f", settleMs) : "-";
        if (calls < 0) {
            std::printf("  %-2s %-*s %-6s %9.1f %6s %6s %7.3f %11s %9s\n", number.c_str(), nameWidth, name.c_str(),
                        result, wallMs, settle.c_str(), "?", roundTripMs, "?", "?");
            return;
        }
        const double product = calls * roundTripMs;
        std::printf("  %-2s %-*s %-6s %9.1f %6s %6.0f %7.3f %11.1f %9.1f\n", number.c_str(), nameWidth, name.c_str(),
                    result, wallMs, settle.c_str(), calls, roundTripMs, product, wallMs - product);
    };
    for (const Row& row : m_rows) {
        const char* result = row.ok ? "ok" : row.hung ? "HUNG" : "FAILED";
        printRow(std::to_string(row.number), row.name, result, row.wallMs, row.settleMs,
                 static_cast<double>(row.calls), row.roundTripMs);
        // The loop's mean write, read the same way.
        const int attempted = m_loop.succeeded + m_loop.failed + m_loop.hung;
        if (row.isLoop && !m_loop.times.empty() && row.calls >= 0) {
            double sum = 0;
            for (double t : m_loop.times)
                sum += t;
            printRow("", "   one of them, mean", "", sum / static_cast<double>(m_loop.times.size()), kWriteSettleMs,
                     static_cast<double>(row.calls) / attempted, row.roundTripMs);
        }
    }
    std::printf("\n  settle: a write's wall time (from Sync to the write's end) includes a fixed %.0f ms settle\n"
                "    before its worker ends, in ms here; it is part of the rest.\n"
                "  calls: the service calls the emulated keyboard served during the scenario.\n"
                "  rtt ms: one service call's round trip, the mean of %d IDevice::GetInfo calls made just before\n"
                "    the scenario from the main thread, a single-threaded apartment (not in the calls).\n"
                "  rest ms = wall ms - calls x rtt: the time the calls' round trips do not account for.\n",
                kWriteSettleMs, kRoundTripCalls);
    for (const Row& row : m_rows)
        if (!row.note.empty())
            std::printf("  %d: %s\n", row.number, row.note.c_str());

    if (m_loop.asked > 0) {
        std::printf("\n  writes in a row: %d asked, %d succeeded, %d failed, %d hung (time-out %lu s each)\n",
                    m_loop.asked, m_loop.succeeded, m_loop.failed, m_loop.hung, kWriteTimeoutMs / 1000);
        if (!m_loop.times.empty()) {
            std::vector<double> sorted = m_loop.times;
            std::sort(sorted.begin(), sorted.end());
            const size_t n = sorted.size();
            const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
            std::printf("  time per write: min %.1f ms, median %.1f ms, max %.1f ms (of the %zu that ended)\n",
                        sorted.front(), median, sorted.back(), n);
        }
    }
    std::fflush(stdout);
}

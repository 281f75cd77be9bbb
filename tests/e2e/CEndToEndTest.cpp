#include "tests/e2e/CEndToEndTest.h"

#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <tlhelp32.h>

const wchar_t kMain[] = L"MainPage.xml";
const wchar_t kKeys[] = L"KeyboardKeys.xml";
const wchar_t kAssign[] = L"AssignKeys.xml";

void EndTrayPrograms() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"MobekTilvorSysTray.exe") != 0)
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

void TypeKey(WORD scanCode, WORD virtualKey) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = scanCode;
        i.ki.wVk = virtualKey;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Pause(100);
    SendInput(1, &input[1], sizeof(INPUT));
    Pause(300);
}

void CEndToEndTest::TearDown() {
    program.reset();
    EndTrayPrograms();
    if (session) {
        ULONG vendor = 0, product = 0;
        if (session->Control())
            session->Control()->SetPresent(TRUE, &vendor, &product);
        session.reset();
    }
    CEmulatorSession::StopServer();
}

void CEndToEndTest::StartKeyboard(const wchar_t* folderHint, const char* fixtureXml) {
    CEmulatorSession::StopServer();
    folder = MakeTempFolder(folderHint);
    if (fixtureXml)
        WriteBytes(folder + L"\\keyboard.xml", fixtureXml);
    session = std::make_unique<CEmulatorSession>(KeyboardMode::OutOfProcess, folder + L"\\keyboard.xml");
    ASSERT_HRESULT_SUCCEEDED(session->Connect());
}

bool CEndToEndTest::SetInstallDir(const std::wstring& dir) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Mobek\\Tilvor", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                                       static_cast<DWORD>((dir.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string CEndToEndTest::Dump() {
    ULONG cb = 0;
    BYTE* text = nullptr;
    if (!session->Control() || FAILED(session->Control()->DumpState(&cb, &text)))
        return std::string();
    std::string dump(reinterpret_cast<char*>(text), cb);
    CoTaskMemFree(text);
    return dump;
}

int CEndToEndTest::KeyType(const char* name) {
    int type = -100;
    std::string data;
    ActiveProfileKey(Dump(), name, type, data);
    return type;
}

bool CEndToEndTest::WaitForKeyType(const char* name, int type) {
    return WaitForDump([&](const std::string& dump) {
        int found = 0;
        std::string data;
        return ActiveProfileKey(dump, name, found, data) && found == type;
    });
}

bool CEndToEndTest::WaitForQuietKeyboard(DWORD quietMs, DWORD timeoutMs) {
    IKeyboardEmulatorControl* control = session->Control();
    if (!control)
        return false;
    const DWORD start = GetTickCount();
    DWORD lastCall = start;
    for (;;) {
        ULONG calls = 0;
        if (FAILED(control->TakeCallCount(&calls)))
            return false;
        const DWORD now = GetTickCount();
        if (calls)
            lastCall = now;
        else if (now - lastCall >= quietMs)
            return true;
        if (now - start > timeoutMs)
            return false;
        Pause(100);
    }
}

HWND CEndToEndTest::StartProgram() {
    program = std::make_unique<CConfigProgram>();
    if (!program->Start())
        return nullptr;
    return program->WaitForMainWindow();
}

bool CEndToEndTest::ConfirmPopup(const wchar_t* skinFile, const wchar_t* screenshot) {
    HWND popup = program->WaitForPopup();
    if (!popup)
        return false;
    if (screenshot) {
        EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(screenshot)));
    }
    if (!program->Click(popup, skinFile, "BUTTON_POPUP_OK"))
        return false;
    Pause(500);
    return program->Popups().empty();
}

void CEndToEndTest::Assign(HWND main, const char* key, const char* action) {
    ASSERT_TRUE(program->Click(main, kKeys, key)) << key;
    ASSERT_TRUE(program->Click(main, kAssign, action)) << action;
}

void CEndToEndTest::ChooseInDropdown(HWND main, const wchar_t* skinFile, const char* itemName, int row) {
    RECT box;
    ASSERT_TRUE(CConfigProgram::ItemRect(skinFile, itemName, box));
    ASSERT_TRUE(program->Click(main, skinFile, itemName));
    // The popup list opens under the box, as wide as it (a tooltip of
    // the box may show too).
    POINT under = {box.left, box.bottom};
    ClientToScreen(main, &under);
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND popup : program->Popups()) {
            RECT r;
            GetWindowRect(popup, &r);
            if (r.left == under.x && r.top == under.y && r.right - r.left == box.right - box.left)
                list = popup;
        }
        return list != nullptr;
    }, 5000)) << "no popup list under " << itemName << ": " << program->DescribePopups();
    PumpUntilIdle(200, 1000);
    EXPECT_TRUE(SaveWindowScreenshot(list, ArtifactPath(L"e2e-profile-dropdown-list.png")));
    // Rows of 18 pixels from the top of the list (no border above it).
    POINT entry = {40, row * 18 + 9};
    ClientToScreen(list, &entry);
    ClickAt(entry);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(list) || !IsWindowVisible(list); }, 5000))
        << "the popup list stayed open";
    PumpUntilIdle(200, 1000);
}

bool CEndToEndTest::IsItemEnabled(HWND window, const wchar_t* skinFile, const char* itemName) {
    RECT item;
    if (!CConfigProgram::ItemRect(skinFile, itemName, item))
        return false;
    // WindowFromPoint passes over a disabled window to its parent: ask the
    // parent for its child there instead.
    const POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    HWND child = ChildWindowFromPointEx(window, centre, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child && child != window && IsWindowEnabled(child);
}

bool CEndToEndTest::ChooseFile(HWND dialog, const std::wstring& path) {
    // The file name box of the dialog: an edit, or a combo box holding one.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name)
        name = GetDlgItem(dialog, 0x480);
    if (!name)
        return false;
    if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr))
        name = edit;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
}

bool CEndToEndTest::RunControl(const wchar_t* words) {
    std::wstring exe = CEmulatorSession::EmulatorExe();
    std::wstring command = L"\"" + exe + L"\" " + words;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    const bool ended = WaitPumping(pi.hProcess, 20000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return ended && code == 0;
}

bool CEndToEndTest::WaitForFocusIn(HWND popup, DWORD timeoutMs) {
    const DWORD thread = GetWindowThreadProcessId(popup, nullptr);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Pause(50)) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
            (info.hwndFocus == popup || IsChild(popup, info.hwndFocus)))
            return true;
    }
    return false;
}

bool CEndToEndTest::WaitForNoPopups(DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Pause(50))
        if (program->Popups().empty())
            return true;
    return false;
}

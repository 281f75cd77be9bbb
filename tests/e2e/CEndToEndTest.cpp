#include "tests/e2e/CEndToEndTest.h"

#include "tests/support/MessagePump.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"


const wchar_t kMain[] = L"MainPage.xml";
const wchar_t kKeys[] = L"KeyboardKeys.xml";
const wchar_t kAssign[] = L"AssignKeys.xml";

// The GUIDs are written into the states' text, so they are spelt once here.
#define COMBO_MACRO "{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}"
#define SECOND_MACRO "{6B2E4D55-1C8F-4D6A-8F8B-1F7D2E3C4B52}"
#define TWO_PROFILES_AND_COMBO                        \
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"   \
    "<keyboard-state version=\"1\" present=\"1\">\n" \
    "  <profile name=\"Profile 1\"/>\n"              \
    "  <profile name=\"Profile 2\"/>\n"              \
    "  <macro guid=\"" COMBO_MACRO "\" name=\"Combo\"/>\n"

const char kKeyboardWithMacro[] = TWO_PROFILES_AND_COMBO "</keyboard-state>\n";
const char kKeyboardWithTwoMacros[] = TWO_PROFILES_AND_COMBO "  <macro guid=\"" SECOND_MACRO "\" name=\"Second\"/>\n"
                                                             "</keyboard-state>\n";
const char kComboMacro[] = COMBO_MACRO;
const char kSecondMacro[] = SECOND_MACRO;

#undef TWO_PROFILES_AND_COMBO
#undef SECOND_MACRO
#undef COMBO_MACRO

void EndTrayPrograms() { EndProcessesNamed(L"MobekTilvorSysTray.exe"); }

void TypeKey(WORD scanCode, WORD virtualKey) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = scanCode;
        i.ki.wVk = virtualKey;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Pause(50);
    SendInput(1, &input[1], sizeof(INPUT));
    Pause(50);
}

void TypeVirtualKey(WORD virtualKey) {
    TypeKey(static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)), virtualKey);
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

void CEndToEndTest::SetKeyboardPresent(bool present) {
    ULONG vendor = 0, product = 0;
    ASSERT_TRUE(session && session->Control());
    ASSERT_HRESULT_SUCCEEDED(session->Control()->SetPresent(present ? TRUE : FALSE, &vendor, &product));
}

bool CEndToEndTest::WaitForQuietKeyboard(DWORD quietMs, DWORD timeoutMs) {
    return session && session->WaitForQuiet(quietMs, timeoutMs);
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
    if (screenshot)
        ExpectScreenshot(popup, screenshot);
    if (!program->Click(popup, skinFile, "BUTTON_POPUP_OK"))
        return false;
    return WaitUntilClosed(popup) && program->WaitForNoPopups(2000);
}

void CEndToEndTest::ExpectScreenshot(HWND window, const wchar_t* artifact) {
    EXPECT_TRUE(WaitUntilDrawn(window)) << "the window did not finish drawing";
    EXPECT_TRUE(SaveWindowScreenshot(window, ArtifactPath(artifact)));
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
    ExpectScreenshot(list, L"e2e-profile-dropdown-list.png");
    // Rows of 18 pixels from the top of the list (no border above it).
    POINT entry = {40, row * 18 + 9};
    ClientToScreen(list, &entry);
    ClickAt(entry);
    ASSERT_TRUE(WaitUntilClosed(list)) << "the popup list stayed open";
}

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string DescribeWindow(HWND window) {
    if (!window)
        return "no window";
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) + " \"" + Narrow(TextOf(window)) + "\"";
}

}  // namespace

::testing::AssertionResult CEndToEndTest::WaitForFocusIn(HWND popup) {
    if (WaitForFocusWithin(popup))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the keyboard focus is not in the popup but on "
                                         << DescribeWindow(FocusInThreadOf(popup));
}

::testing::AssertionResult CEndToEndTest::TypeDigits(HWND popup, const char* digits, const wchar_t* shown) {
    if (::testing::AssertionResult focused = WaitForFocusIn(popup); !focused)
        return focused;
    HWND edit = FocusInThreadOf(popup);
    for (const char* digit = digits; *digit; ++digit)
        TypeVirtualKey(static_cast<WORD>(*digit));
    if (PumpUntil([&] { return TextOf(edit) == shown; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "typed " << digits << ", the focused " << DescribeWindow(edit)
                                         << " shows other than \"" << Narrow(shown) << "\"";
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

bool CEndToEndTest::WaitForItemEnabled(HWND window, const wchar_t* skinFile, const char* itemName, DWORD timeoutMs) {
    return PumpUntil([&] { return IsItemEnabled(window, skinFile, itemName); }, timeoutMs);
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

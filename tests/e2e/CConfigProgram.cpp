#include "tests/e2e/CConfigProgram.h"

#include "tests/e2e/CKeyboardDump.h"
#include "tests/support/TestPaths.h"

#include <pugixml.hpp>

#include <commctrl.h>

namespace {

struct Search {
    DWORD pid;
    HWND main;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectShown(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    // A tooltip shown over an item is no popup.
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (pid == search->pid && IsWindowVisible(hwnd) && hwnd != search->main &&
        _wcsicmp(className, TOOLTIPS_CLASSW) != 0)
        search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

void Pause(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

CConfigProgram::~CConfigProgram() {
    if (!m_process)
        return;
    if (IsRunning()) {
        if (m_main && IsWindow(m_main))
            PostMessageW(m_main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process, 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_process, 1);
    }
    CloseHandle(m_process);
}

bool CConfigProgram::Start() {
    const std::wstring exe = DistPath(L"MobekTilvorConfig.exe");
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, DistPath().c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    return true;
}

HWND CConfigProgram::WaitForMainWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && IsRunning()) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"SINGLE_INSTANCE_APP_DULCORE", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == m_pid && IsWindowVisible(window)) {
                m_main = window;
                // Let it read the keyboard and paint.
                Pause(700);
                return window;
            }
        }
        Pause(50);
    }
    return nullptr;
}

std::vector<HWND> CConfigProgram::Popups() const {
    Search search{m_pid, m_main, {}};
    EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string CConfigProgram::DescribePopups() const {
    std::string text;
    for (HWND popup : Popups()) {
        char name[64] = {};
        GetClassNameA(popup, name, sizeof name);
        RECT r;
        GetWindowRect(popup, &r);
        text += std::string(name) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "; ";
    }
    return text;
}

HWND CConfigProgram::WaitForPopup(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        std::vector<HWND> popups = Popups();
        if (!popups.empty()) {
            Pause(400);
            return popups.front();
        }
        Pause(50);
    }
    return nullptr;
}

bool CConfigProgram::WaitForExit(DWORD timeoutMs, DWORD* code) {
    if (!m_process)
        return true;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pause(50);
    }
    if (code)
        GetExitCodeProcess(m_process, code);
    return true;
}

bool CConfigProgram::IsRunning() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool CConfigProgram::ItemRect(const wchar_t* skinFile, const char* itemName, RECT& rect) {
    pugi::xml_document document;
    if (!document.load_file(DistPath(std::wstring(L"xml\\") + skinFile).c_str()))
        return false;
    const std::string wanted = itemName;
    pugi::xml_node element =
        document.find_node([&](const pugi::xml_node& node) { return wanted == node.attribute("name").value(); });
    if (!element)
        return false;
    // A COMBO keeps its rectangle in CBOX.
    pugi::xml_node r = element.child("RECT") ? element.child("RECT") : element.child("CBOX").child("RECT");
    if (!r)
        return false;
    rect.left = r.attribute("left").as_int();
    rect.top = r.attribute("top").as_int();
    rect.right = rect.left + r.attribute("right").as_int();
    rect.bottom = rect.top + r.attribute("bottom").as_int();
    return true;
}

bool CConfigProgram::Click(HWND window, const wchar_t* skinFile, const char* itemName) {
    RECT rect;
    if (!window || !ItemRect(skinFile, itemName, rect))
        return false;
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &centre);
    ClickAt(centre);
    return true;
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x - 2, screen.y - 2);
    Pause(60);
    SetCursorPos(screen.x, screen.y);
    Pause(100);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Pause(80);
    SendInput(1, &input[1], sizeof(INPUT));
    Pause(300);
}

bool ActiveProfileKey(const std::string& dump, const std::string& keyName, int& type, std::string& data) {
    CKeyboardDump::Key key;
    if (!CKeyboardDump(dump).FindKey("", keyName, key))
        return false;
    type = key.type;
    data = key.data;
    return true;
}

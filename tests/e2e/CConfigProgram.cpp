#include "tests/e2e/CConfigProgram.h"

#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

#include <pugixml.hpp>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

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
    if (pid != search->pid || !IsWindowVisible(hwnd) || hwnd == search->main)
        return TRUE;
    // A tooltip shows wherever the pointer rests; it is no popup the user works.
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (_wcsicmp(name, TOOLTIPS_CLASSW) != 0)
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
        // Ending is asynchronous: the next test's program would find this
        // one's instance claim still held and leave at once.
        if (WaitForSingleObject(m_process, 10000) != WAIT_OBJECT_0 && TerminateProcess(m_process, 1))
            WaitForSingleObject(m_process, 5000);
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
    PumpUntil(
        [&] {
            for (HWND window = nullptr;
                 (window = FindWindowExW(nullptr, window, L"SINGLE_INSTANCE_APP_DULCORE", nullptr)) != nullptr;) {
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid == m_pid && IsWindowVisible(window)) {
                    m_main = window;
                    return true;
                }
            }
            return !IsRunning();
        },
        timeoutMs);
    const DWORD spent = GetTickCount() - start;
    if (!m_main || !WaitUntilAnswering(m_main, spent < timeoutMs ? timeoutMs - spent : 0))
        return nullptr;
    return m_main;
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

HWND CConfigProgram::WaitForNewPopup(const std::vector<HWND>& before, DWORD timeoutMs) const {
    HWND found = nullptr;
    const DWORD start = GetTickCount();
    PumpUntil(
        [&] {
            for (HWND popup : Popups())
                if (std::find(before.begin(), before.end(), popup) == before.end()) {
                    found = popup;
                    return true;
                }
            return false;
        },
        timeoutMs);
    const DWORD spent = GetTickCount() - start;
    if (!found || !WaitUntilAnswering(found, spent < timeoutMs ? timeoutMs - spent : 0))
        return nullptr;
    return found;
}

bool CConfigProgram::WaitForNoPopups(DWORD timeoutMs) const {
    return PumpUntil([&] { return Popups().empty(); }, timeoutMs);
}

bool CConfigProgram::WaitForExit(DWORD timeoutMs, DWORD* code) {
    if (!m_process)
        return true;
    if (!PumpUntil([&] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }, timeoutMs))
        return false;
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
    // A popup that opened as another closed can rank below the window it
    // covers in Wine's order while the X display shows it on top.  A press
    // goes where Wine's order says, unless a window holds the capture; the
    // popup's button takes the capture when the pointer comes over it as X
    // sees it.  So the press waits for either.
    const HWND root = GetAncestor(window, GA_ROOT);
    auto ready = [&] {
        HWND at = WindowFromPoint(centre);
        if (at && GetAncestor(at, GA_ROOT) == root)
            return true;
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndCapture &&
               GetAncestor(info.hwndCapture, GA_ROOT) == root;
    };
    ClickAt(centre, ready);
    return true;
}

namespace {

void SendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

void ClickAt(POINT screen, const std::function<bool()>& ready) {
    static POINT lastAt = {-100, -100};
    static DWORD lastTime = 0;
    const DWORD sinceLast = GetTickCount() - lastTime;
    const DWORD doubleClick = GetDoubleClickTime() + 50;
    if (std::abs(screen.x - lastAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - lastAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && sinceLast < doubleClick)
        Pause(doubleClick - sinceLast);

    // The pointer comes onto the point from beside it, so that the window
    // there sees it arrive.
    SetCursorPos(screen.x - 2, screen.y - 2);
    Pause(60);
    SetCursorPos(screen.x, screen.y);
    Pause(100);
    // Not ready: the pointer moves a pixel to and fro until the window
    // there has seen it come.
    for (int move = 1; ready && !PumpUntil(ready, 300) && move <= 10; ++move)
        SetCursorPos(screen.x + move % 2, screen.y);
    HWND under = WindowFromPoint(screen);
    const HWND root = under ? GetAncestor(under, GA_ROOT) : nullptr;
    SendButton(MOUSEEVENTF_LEFTDOWN);
    Pause(80);
    SendButton(MOUSEEVENTF_LEFTUP);
    lastAt = screen;
    lastTime = GetTickCount();
    // Input keeps its order in the program's queue, so the next click needs
    // no wait; but a thread held up (a popup opening) is let settle.  A
    // window the click closed has nothing to settle.
    if (root)
        PumpUntil([&] { return !IsWindow(root) || WaitUntilAnswering(root, 0); }, 5000);
}

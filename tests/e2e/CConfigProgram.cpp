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
    // A tooltip shows wherever the pointer rests; it is no popup the user
    // works.
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
                // The keyboard is read before the window shows; the window
                // answers once its dialog loop runs.
                m_main = window;
                return WaitUntilDrawn(window, timeoutMs) ? window : nullptr;
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

HWND CConfigProgram::WaitForPopup(DWORD timeoutMs) const { return WaitForNewPopup({}, timeoutMs); }

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

HWND CConfigProgram::ItemWindow(HWND window, const wchar_t* skinFile, const char* itemName) {
    RECT item;
    if (!window || !ItemRect(skinFile, itemName, item))
        return nullptr;
    // WindowFromPoint passes over a disabled window to its parent: ask the
    // parent for its child there instead.
    const POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    HWND child = ChildWindowFromPointEx(window, centre, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child != window ? child : nullptr;
}

bool CConfigProgram::Click(HWND window, const wchar_t* skinFile, const char* itemName) {
    RECT rect;
    if (!window || !ItemRect(skinFile, itemName, rect))
        return false;
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &centre);
    ClickAt(centre, ItemWindow(window, skinFile, itemName));
    return true;
}

namespace {

bool IsButton(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return _wcsicmp(name, L"Button") == 0;
}

bool HoldsCapture(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndCapture == window;
}

void SendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

void ClickAt(POINT screen, HWND target) {
    static POINT lastAt = {-100, -100};
    static DWORD lastTime = 0;
    const DWORD sinceLast = GetTickCount() - lastTime;
    const DWORD doubleClick = GetDoubleClickTime() + 50;
    if (std::abs(screen.x - lastAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - lastAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && sinceLast < doubleClick)
        Pause(doubleClick - sinceLast);

    // A press goes to the window at the point as Wine ranks its windows.
    // A popup that opened as another closed can rank below the main window
    // while the X display shows it on top; its button then gets the press
    // only while it holds the capture, which it takes when the pointer
    // comes over it and lets go at a move it takes for a move off it by
    // that same ranking.  There the pointer moves until the button holds
    // the capture and no move is still on its way.
    // One move onto the point; a window that opens on the press and follows
    // the pointer (a drop-down's list) then sees no move of this click come
    // in late from elsewhere.  A pointer already there is moved off and
    // back, so that the window there sees it arrive.
    POINT now = {};
    GetCursorPos(&now);
    if (now.x == screen.x && now.y == screen.y) {
        SetCursorPos(screen.x - 2, screen.y - 2);
        Pause(60);
    }
    SetCursorPos(screen.x, screen.y);
    Pause(100);
    if (target && IsButton(target) && IsWindowEnabled(target) &&
        GetAncestor(WindowFromPoint(screen), GA_ROOT) != GetAncestor(target, GA_ROOT)) {
        const DWORD start = GetTickCount();
        for (int move = 1; GetTickCount() - start < 2000; ++move) {
            int held = 0;
            for (int look = 0; look < 4 && (held = HoldsCapture(target) ? held + 1 : 0) < 3; ++look)
                Pause(20);
            if (held >= 3)
                break;
            SetCursorPos(screen.x + move % 2, screen.y);
        }
    }
    SendButton(MOUSEEVENTF_LEFTDOWN);
    Pause(80);
    SendButton(MOUSEEVENTF_LEFTUP);
    lastAt = screen;
    lastTime = GetTickCount();
}

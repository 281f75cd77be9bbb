#include "tray/COsdWindow.h"

#include "tray/TrayDecisions.h"

#include <objbase.h>

namespace {
struct OsdState {
    wchar_t text[COsdWindow::kTextUnits] = {};
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    float scale = 0.0f;
    int textHeight = 0;
    HFONT font = nullptr;
    HBRUSH keyBrush = nullptr;
    UINT_PTR hideTimer = 0;
    bool comInitialised = false;
};

OsdState& State() {
    static OsdState state;
    return state;
}

const wchar_t kOsdClass[] = L"csl_osd";

void ComputeScale(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc)
        ReleaseDC(hwnd, dc);
    State().scale = static_cast<float>(dpi) / 72.0f;
    State().textHeight = OsdTextHeight(dpi);
}
}  // namespace

HWND COsdWindow::GetWindow() noexcept { return State().window; }
const wchar_t* COsdWindow::GetText() noexcept { return State().text; }
int COsdWindow::GetTextHeight() noexcept { return State().textHeight; }

void COsdWindow::Place(HWND hwnd) {
    HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return;
    RECT strip = OsdPlacement(info.rcMonitor, State().textHeight);
    SetWindowPos(hwnd, HWND_TOPMOST, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                 SWP_NOACTIVATE);
}

HRESULT COsdWindow::CreateOsdWindows(HINSTANCE instance) {
    OsdState& state = State();
    if (state.window)
        return S_OK;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
        return E_FAIL;
    state.comInitialised = true;
    state.instance = instance;

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = OsdWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kKeyColour);
    wc.lpszClassName = kOsdClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        DeleteObject(wc.hbrBackground);

    state.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED |
                                       WS_EX_NOACTIVATE,
                                   kOsdClass, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!state.window)
        return E_FAIL;
    ShowWindow(state.window, SW_HIDE);
    ComputeScale(state.window);
    return S_OK;
}

void COsdWindow::Release() {
    OsdState& state = State();
    if (state.window) {
        DestroyWindow(state.window);
        state.window = nullptr;
    }
    if (state.comInitialised) {
        CoUninitialize();
        state.comInitialised = false;
    }
}

void COsdWindow::Show(const wchar_t* name) {
    OsdState& state = State();
    if (!state.window)
        return;
    CopyBounded(state.text, kTextUnits, name);
    PostMessageW(state.window, WM_OSD_SHOW, 0, 0);
}

LRESULT CALLBACK COsdWindow::OsdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    OsdState& state = State();
    switch (message) {
    case WM_CREATE:
        SetLayeredWindowAttributes(hwnd, kKeyColour, 0, LWA_COLORKEY);
        state.keyBrush = CreateSolidBrush(kKeyColour);
        ComputeScale(hwnd);
        state.font = CreateFontW(-state.textHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
        Place(hwnd);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, state.keyBrush);
        if (state.text[0]) {
            HGDIOBJ old = SelectObject(dc, state.font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, kTextColour);
            DrawTextW(dc, state.text, -1, &client, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
            SelectObject(dc, old);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DISPLAYCHANGE:
        Place(hwnd);
        break;
    case WM_OSD_SHOW:
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        InvalidateRect(hwnd, nullptr, FALSE);
        // Setting the timer again restarts it: the latest name stays two seconds.
        state.hideTimer = SetTimer(hwnd, kHideTimer, kShowMs, nullptr);
        return 0;
    case WM_TIMER:
        state.text[0] = L'\0';
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        ShowWindow(hwnd, SW_HIDE);
        KillTimer(hwnd, state.hideTimer);
        return 0;
    case WM_DESTROY:
        if (state.keyBrush)
            DeleteObject(state.keyBrush);
        if (state.font)
            DeleteObject(state.font);
        state.keyBrush = nullptr;
        state.font = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

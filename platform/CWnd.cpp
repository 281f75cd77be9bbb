#include "platform/CWnd.h"

#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CLockTimeoutException.h"
#include "platform/CRgn.h"
#include "platform/CString.h"
#include "platform/CWinApp.h"
#include "platform/CWndBinding.h"
#include "platform/Debug.h"

#include <commctrl.h>

#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

// The one handle-to-object map.  Windows belong to threads, but a worker may
// look a window up, so the map is shared and locked.
struct PermanentMap {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> objects;
};

PermanentMap& Permanent() {
    static PermanentMap map;
    return map;
}

// Stand-ins for windows without an object, per thread.
struct TemporaryMap {
    std::unordered_map<HWND, CWnd*> objects;
    ~TemporaryMap() { Clear(); }
    void Clear();
};

thread_local TemporaryMap t_temporary;
thread_local int t_loopDepth = 0;

// The message the trampoline is dispatching on this thread, for Default(),
// and what the window's own processing answered to it.
struct CurrentMessage {
    MSG msg;
    LRESULT defaultResult;
};
thread_local CurrentMessage t_current = {};

class CurrentMessageScope {
public:
    CurrentMessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) : m_saved(t_current) {
        t_current.msg = {hwnd, message, wParam, lParam, 0, {0, 0}};
        t_current.defaultResult = 0;
    }
    ~CurrentMessageScope() { t_current = m_saved; }

private:
    CurrentMessage m_saved;
};

// A DC handed over with a message: wrapped for the hook, given back as it came.
class MessageDC {
public:
    explicit MessageDC(WPARAM dc) { m_dc.Attach(reinterpret_cast<HDC>(dc)); }
    ~MessageDC() { m_dc.Detach(); }
    CDC* get() { return &m_dc; }

private:
    CDC m_dc;
};

}  // namespace

void TemporaryMap::Clear() {
    for (auto& entry : objects) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
    objects.clear();
}

CWnd::~CWnd() {
    if (m_temporary || m_hWnd == nullptr)
        return;
    HWND hwnd = m_hWnd;
    if (m_bound)
        DestroyWindow();
    // A window that outlives its object (another thread's, or one whose
    // destruction was refused) must not reach a deleted object.
    if (m_hWnd == hwnd) {
        RestoreSuperProc(hwnd);
        Forget(hwnd);
    }
}

void CWnd::RestoreSuperProc(HWND hwnd) {
    if (m_superProc && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Trampoline)
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
}

void CWnd::Forget(HWND hwnd) {
    {
        std::lock_guard<std::mutex> guard(Permanent().lock);
        auto it = Permanent().objects.find(hwnd);
        if (it != Permanent().objects.end() && it->second == this)
            Permanent().objects.erase(it);
    }
    m_hWnd = nullptr;
    m_superProc = nullptr;
    m_bound = false;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    auto it = map.objects.find(hwnd);
    return it == map.objects.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    CWnd*& stand = t_temporary.objects[hwnd];
    if (stand == nullptr) {
        stand = new CWnd;
        stand->m_hWnd = hwnd;
        stand->m_temporary = true;
    }
    return stand;
}

const wchar_t* CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::mutex lock;
    static std::map<std::wstring, bool> names;  // node-based: the texts never move
    wchar_t name[96];
    _snwprintf(name, 95, L"PlatformWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
               static_cast<void*>(background), static_cast<void*>(icon));
    name[95] = 0;
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(name);
    if (it != names.end())
        return it->first.c_str();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Trampoline;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoExW(wc.hInstance, name, &existing) && !::RegisterClassExW(&wc))
        return nullptr;
    return names.emplace(name, true).first->first.c_str();
}

bool CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, void* param) {
    return CreateEx(0, className, windowName, style, rect, parent, id, param);
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param) {
    // A child's id travels where a top-level window's menu would.
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menuOrId, param);
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, void* param) {
    if (!CHECK_INVARIANT(m_hWnd == nullptr))
        return false;
    if (className == nullptr)
        className = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    bool ownClass = ::GetClassInfoExW(instance, className, &info) && info.lpfnWndProc == &Trampoline;
    HWND hwnd;
    {
        CWndBinding binding(this, !ownClass);
        hwnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId,
                                 instance, param);
    }
    // On failure the object may already have been unbound (and, by its
    // PostNcDestroy, deleted): nothing of it is touched.
    return hwnd != nullptr;
}

void CWnd::Bind(HWND hwnd) {
    {
        std::lock_guard<std::mutex> guard(Permanent().lock);
        Permanent().objects[hwnd] = this;
    }
    m_hWnd = hwnd;
    m_bound = true;
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (current != &Trampoline)
        m_superProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Trampoline)));
    PreSubclassWindow();
}

void CWnd::Unbind() {
    HWND hwnd = m_hWnd;
    RestoreSuperProc(hwnd);
    Forget(hwnd);
    // The main window's end is the end of the application's loop; the
    // pointer is cleared so that nothing deletes the object a second time.
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
    }
    PostNcDestroy();
}

LRESULT CALLBACK CWnd::Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        // A window of the platform's own class, created for an object: bound
        // on its first message (WM_NCCREATE, or WM_GETMINMAXINFO before it).
        wnd = CWndBinding::TakePending();
        if (wnd == nullptr)
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        wnd->Bind(hwnd);
    }
    LRESULT result = 0;
    {
        CurrentMessageScope scope(hwnd, message, wParam, lParam);
        try {
            result = wnd->WindowProc(message, wParam, lParam);
        } catch (const CLockTimeoutException& e) {
            // A guarded list stayed locked: this message is dropped, the
            // window and the program go on.
            TRACE(L"window %p, message 0x%04x: %s", static_cast<void*>(hwnd), message, e.Text());
            result = 0;
        }
    }
    if (message == WM_NCDESTROY && FromHandlePermanent(hwnd) == wnd)
        wnd->Unbind();
    return result;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    bool refused = hwnd == nullptr || !::IsWindow(hwnd) || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr;
    if (!CHECK_INVARIANT(!refused))
        return false;
    Bind(hwnd);
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr || !m_bound)
        return nullptr;
    HWND hwnd = m_hWnd;
    if (m_superProc) {
        bool covered = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &Trampoline;
        if (!CHECK_INVARIANT(!covered))
            return nullptr;
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    }
    Forget(hwnd);
    return hwnd;
}

bool CWnd::Attach(HWND hwnd) {
    bool refused = hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr;
    if (!CHECK_INVARIANT(!refused))
        return false;
    {
        std::lock_guard<std::mutex> guard(Permanent().lock);
        Permanent().objects[hwnd] = this;
    }
    m_hWnd = hwnd;
    m_bound = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Trampoline;
    return true;
}

HWND CWnd::Detach() {
    // A subclassed control left without its procedure would stop working.
    if (m_superProc)
        return UnsubclassWindow();
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return nullptr;
    Forget(hwnd);
    return hwnd;
}

bool CWnd::DestroyWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return false;
    if (!m_bound) {
        // No WM_NCDESTROY will reach the object: it lets go first.
        Detach();
        return ::DestroyWindow(hwnd) != FALSE;
    }
    // The trampoline unbinds on WM_NCDESTROY; the object may be gone after.
    return ::DestroyWindow(hwnd) != FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hWnd;
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    // A handler that destroyed the window (and the object) leaves nothing
    // to default to.
    if (hwnd == nullptr || FromHandlePermanent(hwnd) != this)
        return 0;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc)
        return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = t_current.msg;
    LRESULT result = DefWindowProc(msg.message, msg.wParam, msg.lParam);
    t_current.defaultResult = result;
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    try {
        for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
            CWnd* wnd = FromHandlePermanent(hwnd);
            if (wnd != nullptr && wnd->PreTranslateMessage(msg))
                return TRUE;
            if (hwnd == stop)
                break;
        }
    } catch (const CLockTimeoutException& e) {
        TRACE(L"message 0x%04x dropped before dispatch: %s", msg->message, e.Text());
        return TRUE;
    }
    return FALSE;
}

void CWnd::EnterMessageLoop() { ++t_loopDepth; }
void CWnd::LeaveMessageLoop() { --t_loopDepth; }

void CWnd::OnMessageLoopIdle() {
    if (t_loopDepth == 1)
        t_temporary.Clear();
}

void CWnd::EnsureCommonControls(DWORD classes) {
    static std::mutex lock;
    static DWORD registered = 0;
    std::lock_guard<std::mutex> guard(lock);
    if ((registered & classes) == classes)
        return;
    INITCOMMONCONTROLSEX init = {sizeof init, classes};
    if (::InitCommonControlsEx(&init))
        registered |= classes;
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : FromHandle(::GetParent(m_hWnd));
}

namespace {

// One style word of a window changed; swpFlags non-zero makes the frame
// follow it.
bool ModifyStyleWord(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, index)), changed = (style & ~remove) | add;
    if (style == changed)
        return false;
    ::SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    if (swpFlags != 0)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

}  // namespace

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    return ModifyStyleWord(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    wchar_t* buffer = text.GetBuffer(length);
    int copied = ::GetWindowTextW(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(copied < 0 ? 0 : copied);
}

void CWnd::SetFont(const CFont* font, bool redraw) { SetFont(font ? font->GetSafeHandle() : nullptr, redraw); }

int CWnd::SetWindowRgn(CRgn& region, bool redraw) {
    int accepted = ::SetWindowRgn(m_hWnd, region.GetSafeHandle(), redraw);
    if (accepted)
        region.Detach();
    return accepted;
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (child == nullptr || child == m_hWnd)
        return FALSE;
    CWnd* control = FromHandlePermanent(child);
    return control != nullptr && control->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_COMMAND:
        if (!OnReflectedCommand(HIWORD(wParam)))
            return FALSE;
        *result = 0;
        return TRUE;
    case WM_NOTIFY:
        return OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_DRAWITEM:
        if (!OnReflectedDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
            return FALSE;
        *result = TRUE;
        return TRUE;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: {
        MessageDC dc(wParam);
        HBRUSH brush = OnReflectedCtlColor(dc.get(), message - WM_CTLCOLORMSGBOX);
        if (brush == nullptr)
            return FALSE;
        *result = reinterpret_cast<LRESULT>(brush);
        return TRUE;
    }
    case WM_VSCROLL: case WM_HSCROLL:
        if (!OnReflectedScroll(message, LOWORD(wParam), HIWORD(wParam)))
            return FALSE;
        *result = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // Hooks without a value of their own answer what the window's own
    // processing answered, if they asked it (Default).
    auto answered = [result]() {
        *result = t_current.defaultResult;
        return TRUE;
    };
    CPoint point(lParam);
    switch (message) {
    case WM_CREATE: *result = OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); return answered();
    case WM_CLOSE: OnClose(); return answered();
    case WM_PAINT: OnPaint(); return answered();
    case WM_ERASEBKGND: {
        MessageDC dc(wParam);
        *result = OnEraseBkgnd(dc.get());
        return TRUE;
    }
    case WM_TIMER: OnTimer(wParam); return answered();
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return answered();
    case WM_MOVE: OnMove(point.x, point.y); return answered();
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return answered();
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0);
        return answered();
    case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return answered();
    case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return answered();
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), point); return answered();
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); return answered();
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), point); return answered();
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), point); return answered();
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), point); return answered();
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), point); return answered();
    case WM_MOUSEWHEEL:
        *result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point);
        return TRUE;
    case WM_MOUSEHOVER: OnMouseHover(static_cast<UINT>(wParam), point); return answered();
    case WM_MOUSELEAVE: OnMouseLeave(); return answered();
    case WM_CAPTURECHANGED: OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam))); return answered();
    case WM_SETCURSOR:
        *result = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_CONTEXTMENU: OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), point); return answered();
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return answered();
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return answered();
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return answered();
    case WM_GETDLGCODE: *result = OnGetDlgCode(); return TRUE;
    case WM_VSCROLL: case WM_HSCROLL: {
        HWND bar = reinterpret_cast<HWND>(lParam);
        if (ReflectToChild(bar, message, wParam, lParam, result))
            return TRUE;
        if (message == WM_VSCROLL)
            OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
        else
            OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
        return answered();
    }
    case WM_NCHITTEST: *result = OnNcHitTest(point); return TRUE;
    case WM_NCCALCSIZE:
        *result = OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return TRUE;
    case WM_NCMOUSEMOVE: OnNcMouseMove(static_cast<UINT>(wParam), point); return answered();
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wParam), lParam); return answered();
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return answered();
    case WM_QUERYDRAGICON: *result = reinterpret_cast<LRESULT>(OnQueryDragIcon()); return TRUE;
    case WM_HELP: *result = OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)); return TRUE;
    case WM_DEVICECHANGE: *result = OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam)); return TRUE;
    case WM_WTSSESSION_CHANGE: OnSessionChange(static_cast<UINT>(wParam), static_cast<UINT>(lParam)); return answered();
    case WM_INPUT: OnRawInput(GET_RAWINPUT_CODE_WPARAM(wParam), reinterpret_cast<HRAWINPUT>(lParam)); return answered();
    case WM_COMMAND:
        if (lParam != 0 && ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
            return TRUE;
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header != nullptr && ReflectToChild(header->hwndFrom, message, wParam, lParam, result))
            return TRUE;
        *result = 0;
        return OnNotify(wParam, lParam, result);
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw != nullptr && draw->CtlType != ODT_MENU &&
            ReflectToChild(draw->hwndItem, message, wParam, lParam, result))
            return TRUE;
        OnDrawItem(static_cast<int>(wParam), draw);
        return answered();
    }
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (ReflectToChild(control, message, wParam, lParam, result))
            return TRUE;
        MessageDC dc(wParam);
        *result = reinterpret_cast<LRESULT>(OnCtlColor(dc.get(), FromHandle(control), message - WM_CTLCOLORMSGBOX));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnVScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CWnd*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
LRESULT CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { return Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnDeviceChange(UINT, DWORD_PTR) { return static_cast<BOOL>(Default()); }
void CWnd::OnSessionChange(UINT, UINT) { Default(); }
void CWnd::OnRawInput(UINT, HRAWINPUT) { Default(); }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
void CWnd::OnDrawItem(int, DRAWITEMSTRUCT*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

BOOL CWnd::OnReflectedCommand(UINT) { return FALSE; }
BOOL CWnd::OnReflectedNotify(NMHDR*, LRESULT*) { return FALSE; }
BOOL CWnd::OnReflectedDrawItem(DRAWITEMSTRUCT*) { return FALSE; }
HBRUSH CWnd::OnReflectedCtlColor(CDC*, UINT) { return nullptr; }
BOOL CWnd::OnReflectedScroll(UINT, UINT, UINT) { return FALSE; }

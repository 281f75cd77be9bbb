#pragma once
// A window object.  One window procedure, the trampoline, binds each object
// to its window and keeps the one handle-to-object map; every message then
// reaches the object's virtual WindowProc, which hands it to a typed virtual
// hook.  A hook that is not overridden does what the window would have done
// without the object (Default).
//
// Notifications that a control sends to its parent (WM_COMMAND codes,
// WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*, scroll messages) are offered to the
// control's own object first (OnChildNotify); what the control does not
// handle goes on to the parent's hooks.
//
// The owner of a window is the window its notifications go to: the owner set
// with SetOwner, else the parent.

#include "platform/CPoint.h"
#include "platform/CRect.h"
#include "platform/CSize.h"

#include <windows.h>

class CDC;
class CFont;
class CRgn;
class CString;

class CWnd {
public:
    CWnd() noexcept = default;
    // A window still bound to the object is destroyed with it.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window, or a temporary stand-in that only holds
    // the handle (valid until the outermost message loop next goes idle).
    static CWnd* FromHandle(HWND hwnd);
    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // A window class of the platform, its procedure the trampoline; the name
    // stays valid for the life of the process.
    static const wchar_t* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                           HICON icon = nullptr);

    // className null: the platform's default class.  The object is bound
    // before the window's first message.
    virtual bool Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, void* param = nullptr);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* param = nullptr);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, void* param = nullptr);

    // Binds the object to an existing window: its messages reach WindowProc
    // first and then the window's own procedure.  Refused for a window that
    // is already bound, or while this object holds a window.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window back its own procedure; refused (null) when another
    // procedure has been placed over the trampoline since.
    HWND UnsubclassWindow();
    // Puts the object in the map without taking the window's messages.
    bool Attach(HWND hwnd);
    HWND Detach();

    virtual bool DestroyWindow();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own processing (its class or subclassed procedure).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled, given to the window's own processing.
    LRESULT Default();
    // True: the message is consumed before translation and dispatch.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called after the window is bound, before the object handles anything.
    virtual void PreSubclassWindow();
    // Called after the last message (WM_NCDESTROY); the object is no longer
    // bound and may delete itself here.
    virtual void PostNcDestroy();

    // Offers a parent's notification to the control it is about: true when
    // the control handled it (result in *result).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Walks PreTranslateMessage from msg->hwnd up through parents and owners,
    // ending after 'stop' (or at the top); true when one consumed it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // Thin helpers: each is the Win32 call of the same name on this window.
    HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner) { m_hWndOwner = owner ? owner->m_hWnd : nullptr; }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    CWnd* GetWindow(UINT command) const { return FromHandle(::GetWindow(m_hWnd, command)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, id)); }
    bool IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd) != FALSE; }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // swpFlags non-zero: SetWindowPos with them, so the frame follows the style.
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& rect, bool repaint = true) {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    bool SetWindowPos(const CWnd* after, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, width, height, flags) != FALSE;
    }
    bool SetWindowPos(HWND after, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, width, height, flags) != FALSE;
    }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(RECT* rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2); }
    void MapWindowPoints(CWnd* to, POINT* points, UINT count) const {
        ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
    }
    void MapWindowPoints(CWnd* to, RECT* rect) const { MapWindowPoints(to, reinterpret_cast<POINT*>(rect), 2); }

    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    int GetWindowText(wchar_t* buffer, int size) const { return ::GetWindowTextW(m_hWnd, buffer, size); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int id, const wchar_t* text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    UINT GetDlgItemText(int id, wchar_t* buffer, int size) const {
        return ::GetDlgItemTextW(m_hWnd, id, buffer, size);
    }
    void SetFont(HFONT font, bool redraw = true) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? TRUE : FALSE, 0));
    }
    void SetFont(const CFont* font, bool redraw = true);
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    HICON SetIcon(HICON icon, bool big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, bool erase = true) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(const RECT* rect) { ::ValidateRect(m_hWnd, rect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    bool RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, rect, region, flags) != FALSE;
    }
    // A region the system accepted belongs to the window from then on: the
    // wrapper is emptied so that it never deletes it.  A refused region stays
    // with the wrapper.
    int SetWindowRgn(CRgn& region, bool redraw);
    // With a bare handle the same rule holds: after success it is the
    // window's, and the caller must not delete it.
    int SetWindowRgn(HRGN region, bool redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int GetWindowRgn(HRGN copyInto) const { return ::GetWindowRgn(m_hWnd, copyInto); }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapseMs, proc);
    }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    bool SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd) != FALSE; }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
    }

    bool GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL) const {
        info->cbSize = sizeof(SCROLLINFO);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, bar, info) != FALSE;
    }
    int SetScrollInfo(int bar, SCROLLINFO* info, bool redraw = true) {
        info->cbSize = sizeof(SCROLLINFO);
        return ::SetScrollInfo(m_hWnd, bar, info, redraw);
    }
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    int SetScrollPos(int bar, int pos, bool redraw = true) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
    void SetScrollRange(int bar, int minPos, int maxPos, bool redraw = true) {
        ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
    }
    void ShowScrollBar(int bar, bool show = true) { ::ShowScrollBar(m_hWnd, bar, show); }

    HWND m_hWnd = nullptr;

protected:
    // Typed hooks, one per message; each default is Default().
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
    virtual void OnMouseHover(UINT flags, CPoint point);
    virtual void OnMouseLeave();
    virtual void OnCaptureChanged(CWnd* newCapture);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnContextMenu(CWnd* wnd, CPoint screenPoint);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual UINT OnGetDlgCode();
    virtual void OnVScroll(UINT code, UINT pos, CWnd* scrollBar);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);
    virtual LRESULT OnNcHitTest(CPoint screenPoint);
    virtual LRESULT OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    virtual void OnNcMouseMove(UINT hitTest, CPoint screenPoint);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnSysColorChange();
    virtual HCURSOR OnQueryDragIcon();
    virtual BOOL OnHelpInfo(HELPINFO* info);
    virtual BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    virtual void OnSessionChange(UINT code, UINT sessionId);
    virtual void OnRawInput(UINT code, HRAWINPUT input);
    // Commands and notifications that no child handled; true when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* draw);
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    // Hooks of the control for its own notifications, reflected from its
    // parent; false (or a null brush) leaves them to the parent.
    virtual BOOL OnReflectedCommand(UINT code);
    virtual BOOL OnReflectedNotify(NMHDR* header, LRESULT* result);
    virtual BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* draw);
    virtual HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlColor);
    virtual BOOL OnReflectedScroll(UINT message, UINT code, UINT pos);

    // Registers the common-control classes once per process.
    static void EnsureCommonControls(DWORD classes);

    HWND m_hWndOwner = nullptr;

private:
    friend class CDialog;
    friend class CWinApp;
    friend class CWndBinding;

    // The typed dispatch; false sends the message to DefWindowProc.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();
    // Gives a subclassed window its own procedure back, unless another
    // procedure was put over ours since.
    void RestoreSuperProc(HWND hwnd);
    // Drops the object's entry for the window and clears the tie.
    void Forget(HWND hwnd);
    // Message loops of the platform: temporary stand-ins are freed when the
    // outermost one goes idle, when no handler can still hold one.
    static void EnterMessageLoop();
    static void LeaveMessageLoop();
    static void OnMessageLoopIdle();

    WNDPROC m_superProc = nullptr;  // the window's own procedure when subclassed
    bool m_bound = false;           // the window's messages reach the object
    bool m_temporary = false;       // a stand-in made by FromHandle
};

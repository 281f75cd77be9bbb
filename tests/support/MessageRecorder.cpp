#include "tests/support/MessageRecorder.h"

#include <algorithm>
#include <cstdio>

namespace {
const wchar_t kRecorderProp[] = L"TestMessageRecorder";
const wchar_t kOldProcProp[] = L"TestMessageRecorderOldProc";
}

void MessageRecorder::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_interesting.empty() &&
        std::find(m_interesting.begin(), m_interesting.end(), message) == m_interesting.end())
        return;
    m_log.push_back({hwnd, message, wParam, lParam});
}

size_t MessageRecorder::Count(UINT message) const {
    return static_cast<size_t>(std::count_if(m_log.begin(), m_log.end(),
                                             [message](const RecordedMessage& m) { return m.message == message; }));
}

std::string MessageRecorder::MessageName(UINT message) {
    struct Name { UINT id; const char* name; };
    static const Name names[] = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_TIMER, "WM_TIMER"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"}, {WM_DRAWITEM, "WM_DRAWITEM"}, {WM_USER, "WM_USER"},
    };
    for (const Name& n : names)
        if (n.id == message)
            return n.name;
    char buffer[32];
    if (message >= WM_USER && message < 0x8000)
        std::snprintf(buffer, sizeof buffer, "WM_USER+%u", message - WM_USER);
    else
        std::snprintf(buffer, sizeof buffer, "0x%04x", message);
    return buffer;
}

std::string MessageRecorder::Compare(const std::vector<ExpectedMessage>& expected) const {
    auto describe = [this, &expected]() {
        std::string s = "\n  expected:";
        for (const ExpectedMessage& e : expected)
            s += " " + MessageName(e.message) + ((e.match & ExpectedMessage::Optional) ? "?" : "");
        s += "\n  received:";
        for (const RecordedMessage& m : m_log)
            s += " " + MessageName(m.message);
        return s;
    };
    size_t got = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedMessage& e = expected[i];
        bool optional = (e.match & ExpectedMessage::Optional) != 0;
        if (got >= m_log.size() || m_log[got].message != e.message) {
            if (optional)
                continue;
            return "missing " + MessageName(e.message) + " at position " + std::to_string(i) + describe();
        }
        const RecordedMessage& m = m_log[got];
        if ((e.match & ExpectedMessage::WParam) && m.wParam != e.wParam)
            return MessageName(e.message) + ": wParam " + std::to_string(m.wParam) + ", expected " +
                   std::to_string(e.wParam) + describe();
        if ((e.match & ExpectedMessage::LParam) && m.lParam != e.lParam)
            return MessageName(e.message) + ": lParam " + std::to_string(m.lParam) + ", expected " +
                   std::to_string(e.lParam) + describe();
        ++got;
    }
    if (got != m_log.size())
        return "unexpected " + MessageName(m_log[got].message) + describe();
    return std::string();
}

void MessageRecorder::Attach(HWND hwnd) {
    SetPropW(hwnd, kRecorderProp, this);
    LONG_PTR old = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    SetPropW(hwnd, kOldProcProp, reinterpret_cast<HANDLE>(old));
}

LRESULT CALLBACK MessageRecorder::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<MessageRecorder*>(GetPropW(hwnd, kRecorderProp));
    auto old = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProcProp));
    if (self)
        self->Record(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropW(hwnd, kRecorderProp);
        RemovePropW(hwnd, kOldProcProp);
    }
    return old ? CallWindowProcW(old, hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

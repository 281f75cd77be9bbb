#pragma once
// Records the messages windows receive, to compare with an expected table in
// the manner of Wine's own message-sequence tests.

#include <windows.h>

#include <string>
#include <vector>

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct ExpectedMessage {
    UINT message;
    enum Match { Any = 0, WParam = 1, LParam = 2, Optional = 4 };
    int match = Any;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class MessageRecorder {
public:
    // Only messages in 'interesting' are kept (all when it is empty), so a
    // table names what matters and not the platform's incidental traffic.
    explicit MessageRecorder(std::vector<UINT> interesting = {}) : m_interesting(std::move(interesting)) {}

    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Clear() { m_log.clear(); }
    const std::vector<RecordedMessage>& Log() const { return m_log; }
    size_t Count(UINT message) const;

    // Empty string when the log matches the table in order; otherwise a
    // description of the first difference and both sequences.
    std::string Compare(const std::vector<ExpectedMessage>& expected) const;

    // Subclasses a window so everything it receives is recorded before its
    // own procedure runs; the subclass is removed on WM_NCDESTROY.
    void Attach(HWND hwnd);

    static std::string MessageName(UINT message);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    std::vector<UINT> m_interesting;
    std::vector<RecordedMessage> m_log;
};

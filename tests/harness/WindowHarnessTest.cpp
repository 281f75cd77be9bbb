// Proves the window harness itself: a real window under Wine on the test
// display, its messages recorded and compared with a table, its pixels read
// back from the screen and a screenshot written.

#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const COLORREF kFill = RGB(0x2E, 0x36, 0x05);

LRESULT CALLBACK PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(kFill);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0xFE, 0xFE, 0xFE));
        DrawTextW(dc, L"harness", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowHarness : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PaintingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HarnessWindow";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
    }
};

TEST_F(WindowHarness, WindowIsCreatedPaintedAndRecorded) {
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, L"HarnessWindow", L"harness", WS_POPUP, 100, 100, 240, 120,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);

    MessageRecorder recorder({WM_SHOWWINDOW, WM_PAINT, WM_SIZE, WM_CLOSE, WM_DESTROY, WM_NCDESTROY});
    recorder.Attach(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    PumpUntilIdle();

    // Shown, then painted once (a size change on the way is the system's).
    const std::vector<ExpectedMessage> shownThenPainted = {
        {WM_SHOWWINDOW, ExpectedMessage::WParam, TRUE},
        {WM_SIZE, ExpectedMessage::Optional},
        {WM_PAINT},
    };
    EXPECT_EQ(recorder.Compare(shownThenPainted), "");

    // What the user sees is the window's paint, not a blank area.
    POINT inside = {10, 10};
    ClientToScreen(hwnd, &inside);
    EXPECT_EQ(ScreenPixel(inside.x, inside.y), kFill);

    std::wstring shot = ArtifactPath(L"harness-window.png");
    EXPECT_TRUE(SaveScreenshot(shot));
    EXPECT_NE(GetFileAttributesW(shot.c_str()), INVALID_FILE_ATTRIBUTES);

    recorder.Clear();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);  // DefWindowProc destroys the window
    EXPECT_EQ(recorder.Compare({{WM_CLOSE}, {WM_DESTROY}, {WM_NCDESTROY}}), "");
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(MessageRecorderCompare, ReportsMissingExtraAndWrongParameters) {
    MessageRecorder r;
    r.Record(nullptr, WM_COMMAND, 5, 0);
    r.Record(nullptr, WM_TIMER, 700, 0);
    EXPECT_EQ(r.Compare({{WM_COMMAND, ExpectedMessage::WParam, 5}, {WM_TIMER}}), "");
    EXPECT_NE(r.Compare({{WM_COMMAND, ExpectedMessage::WParam, 6}, {WM_TIMER}}), "");
    EXPECT_NE(r.Compare({{WM_COMMAND}}), "");
    EXPECT_NE(r.Compare({{WM_COMMAND}, {WM_TIMER}, {WM_CLOSE}}), "");
    EXPECT_EQ(r.Compare({{WM_COMMAND}, {WM_CLOSE, ExpectedMessage::Optional}, {WM_TIMER}}), "");
}

}  // namespace

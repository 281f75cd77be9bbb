#include "tests/gui/WidgetHost.h"

#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

bool WidgetHost::Open(int width, int height) {
    return CreateEx(0, nullptr, L"widgets", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
}

LRESULT WidgetHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    recorder.Record(m_hWnd, message, wParam, lParam);
    if (onMessage)
        onMessage(message, wParam, lParam);
    if (message == WM_ERASEBKGND && m_background) {
        RECT r;
        GetClientRect(&r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, m_background);
        return TRUE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void SkinOnHost::LoadOntoHost(const wchar_t* fileName, const char* xml, int width, int height) {
    ASSERT_TRUE(folder.WriteText(std::wstring(L"xml\\") + fileName, xml));
    ASSERT_TRUE(host.Open(width, height));
    SetForegroundWindow(host);
    ASSERT_TRUE(LoadXmlDescription(&items, fileName, &host, false));
    PumpUntilIdle(100);
    host.recorder.Clear();
}

void SkinOnHost::TearDown() {
    items.ShowAll(false);
    host.DestroyWindow();
}

void DistSkin::SetUp() {
    ReleaseGUIResources();
    SetApplicationDirectory((DistPath() + L"\\").c_str());
}

void DistSkin::TearDown() {
    ReleaseGUIResources();
    SetApplicationDirectory(L"");
}

bool TestPage::Open() {
    if (!Create(IDD_GUI_TEST_POPUP, nullptr))
        return false;
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return true;
}

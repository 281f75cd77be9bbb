// What a person at the X display sees of the configuration program, read on
// the Unix side with the run command's own screenshot: the popups and the
// drop-down lists as Wine draws them (not black), and the main window's
// cut-away corners showing what lies behind the window.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"
#include "tests/support/XScreen.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kKeyboardWithMacro[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\"/>\n"
    "  <profile name=\"Profile 2\"/>\n"
    "  <macro guid=\"{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}\" name=\"Combo\"/>\n"
    "</keyboard-state>\n";

// One colour over the whole screen, under the program's windows: what shows
// through a cut-away part of a window is then not black by chance, as the
// bare virtual display's is.
constexpr uint32_t kBackdrop = 0xC8C8C8;

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class CBackdrop {
public:
    CBackdrop() {
        static const ATOM registered = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = BackdropProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = CreateSolidBrush(RGB(0xC8, 0xC8, 0xC8));  // for the process
            wc.lpszClassName = L"XDisplayTestBackdrop";
            return RegisterClassW(&wc);
        }();
        m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MAKEINTATOM(registered), L"", WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        UpdateWindow(m_hwnd);
        PumpUntilIdle(200, 2000);
    }
    ~CBackdrop() {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    HWND Window() const noexcept { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// How the X screen and Wine's view of it agree over a rectangle.
struct Agreement {
    size_t pixels = 0;
    size_t same = 0;
    size_t blackOnX = 0;
    bool Close() const { return pixels > 0 && same * 100 >= pixels * 99; }
    std::string Describe() const {
        return std::to_string(same) + " of " + std::to_string(pixels) + " pixels as Wine drew them, " +
               std::to_string(blackOnX) + " black on the X screen";
    }
};

Agreement Compare(const CXScreenShot& x, const RECT& r) {
    Agreement a;
    const std::vector<uint32_t> wine = ScreenPixels(r), onX = x.Pixels(r);
    a.pixels = wine.size();
    for (size_t i = 0; i < wine.size() && i < onX.size(); ++i) {
        a.same += wine[i] == onX[i];
        a.blackOnX += onX[i] == 0;
    }
    return a;
}

// The skin's mask of a window: true where it cuts the window away.
std::vector<bool> CutAway(const std::wstring& maskFile, int& width, int& height) {
    std::vector<bool> cut;
    HBITMAP mask = static_cast<HBITMAP>(LoadImageW(nullptr, maskFile.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (!mask || !GetObjectW(mask, sizeof info, &info)) {
        if (mask)
            DeleteObject(mask);
        return cut;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bits(size_t(width) * size_t(height));
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, mask, 0, height, bits.data(), &format, DIB_RGB_COLORS) == height)
        for (uint32_t p : bits)
            cut.push_back((p & 0xFFFFFF) == 0xFFFFFF);
    ReleaseDC(nullptr, screen);
    DeleteObject(mask);
    return cut;
}

class XDisplayTest : public CEndToEndTest {
protected:
    void TearDown() override {
        CEndToEndTest::TearDown();
        backdrop.reset();
    }

    // Starts the program over the backdrop, on its own keyboard.
    HWND Start(bool keyboardPresent) {
        if (!backdrop)
            backdrop = std::make_unique<CBackdrop>();
        EXPECT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-x-display", kKeyboardWithMacro));
        if (!session)
            return nullptr;
        EXPECT_TRUE(SetInstallDir(folder + L"\\"));
        if (!keyboardPresent) {
            ULONG vendor = 0, product = 0;
            EXPECT_HRESULT_SUCCEEDED(session->Control()->SetPresent(FALSE, &vendor, &product));
        }
        HWND main = StartProgram();
        // The pointer off the windows: it is no part of what they show.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        return main;
    }

    // Takes X screenshots until one agrees with Wine's view over the
    // window's rectangle (the window may still be painting); the last one
    // stays in the artifacts as a PNG.
    Agreement WaitForAgreement(HWND window, const wchar_t* artifact, CXScreenShot& shot) {
        RECT r = {};
        GetWindowRect(window, &r);
        Agreement a;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
            PumpUntilIdle(200, 1000);
            if (!shot.Take(ArtifactPath(artifact))) {
                ADD_FAILURE() << "no X screenshot: " << shot.Error();
                return a;
            }
            a = Compare(shot, r);
            if (a.Close())
                break;
        }
        return a;
    }

    std::unique_ptr<CBackdrop> backdrop;
};

TEST_F(XDisplayTest, PopupsShowOnTheXScreenAsWineDrawsThem) {
    struct Case {
        const char* name;
        bool keyboardPresent;
        const wchar_t* artifact;
        std::function<bool(CConfigProgram&, HWND)> open;
    };
    const Case cases[] = {
        {"the no-keyboard warning", false, L"x-screen-no-keyboard-warning.png",
         [](CConfigProgram&, HWND) { return true; }},
        {"the profile drop-down list", true, L"x-screen-profile-list.png",
         [](CConfigProgram& p, HWND main) { return p.Click(main, kAssign, "LIST_GLOBALPROFILELIST"); }},
        {"a key's macro popup", true, L"x-screen-macro-popup.png",
         [](CConfigProgram& p, HWND main) {
             return p.Click(main, kKeys, "BUTTON_KB_F1") && p.Click(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND main = Start(c.keyboardPresent);
        ASSERT_NE(main, nullptr) << "the main page did not show";
        ASSERT_TRUE(c.open(*program, main));
        HWND popup = program->WaitForPopup();
        ASSERT_NE(popup, nullptr) << "nothing opened";
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        CXScreenShot shot;
        const Agreement a = WaitForAgreement(popup, c.artifact, shot);
        EXPECT_TRUE(a.Close()) << a.Describe();
        EXPECT_LT(a.blackOnX * 2, a.pixels) << "the popup is black on the X screen: " << a.Describe();
        program.reset();
        EndTrayPrograms();
    }
}

TEST_F(XDisplayTest, TheMainWindowsCutAwayCornersShowWhatLiesBehindIt) {
    HWND main = Start(true);
    ASSERT_NE(main, nullptr) << "the main page did not show";
    int width = 0, height = 0;
    const std::vector<bool> cut = CutAway(DistPath(L"skins\\MainPageMask.bmp"), width, height);
    ASSERT_FALSE(cut.empty()) << "no mask of the main page";
    RECT r = {};
    GetWindowRect(main, &r);
    ASSERT_EQ(r.right - r.left, width);
    ASSERT_EQ(r.bottom - r.top, height);
    CXScreenShot shot;
    const Agreement a = WaitForAgreement(main, L"x-screen-main-page.png", shot);
    EXPECT_TRUE(a.Close()) << a.Describe();
    // Every pixel the mask cuts away shows the backdrop; count them by corner.
    const char* corners[] = {"top left", "top right", "bottom left", "bottom right"};
    int wrong[4] = {}, cutCount[4] = {};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!cut[size_t(y) * size_t(width) + size_t(x)])
                continue;
            const int corner = (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0);
            ++cutCount[corner];
            wrong[corner] += shot.Pixel(r.left + x, r.top + y) != kBackdrop;
        }
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(cutCount[i], 0) << corners[i] << ": the mask cuts nothing away";
        EXPECT_EQ(wrong[i], 0) << corners[i] << ": " << wrong[i] << " of the " << cutCount[i]
                               << " cut-away pixels do not show the backdrop";
    }
}

}  // namespace

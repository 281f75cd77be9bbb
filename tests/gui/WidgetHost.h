#pragma once
// What the widget window tests share: a top-level window that records what
// its widgets report, a fixture that loads a skin file onto one as a page
// loads its items, a fixture that runs a test on the installed default
// skin, and the popup built from the programs' popup template.

#include "gui/core/CGUIItems.h"
#include "gui/core/CPopupBox.h"
#include "platform/CWnd.h"
#include "tests/gui/GuiWindowTestResources.h"
#include "tests/gui/SkinTestFolder.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

class WidgetHost : public CWnd {
public:
    // interesting: the messages the recorder keeps (all when empty).
    // background: the brush the window erases with; null leaves erasing to
    // the default.
    explicit WidgetHost(std::vector<UINT> interesting, HBRUSH background = nullptr)
        : recorder(std::move(interesting)), m_background(background) {}

    // A visible pop-up window at the screen's top left corner.
    bool Open(int width, int height);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    MessageRecorder recorder;
    // Told of every message after the recorder.
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;

private:
    HBRUSH m_background;
};

// A skin file's items loaded onto a host in the foreground.
class SkinOnHost : public ::testing::Test {
protected:
    SkinOnHost(const wchar_t* folderHint, std::vector<UINT> interesting, HBRUSH background = nullptr)
        : folder(folderHint), host(std::move(interesting), background) {}

    // Writes xml as xml\<fileName>, opens the host, loads the file onto it
    // and lets it settle; the recorder then starts empty.
    void LoadOntoHost(const wchar_t* fileName, const char* xml, int width, int height);
    void TearDown() override;

    template <typename T>
    T* Item(int32_t id) {
        return dynamic_cast<T*>(items.FindById(id));
    }

    SkinTestFolder folder;
    WidgetHost host;
    CGUIItems items;
};

// The installed tree's own skin for one test, and a clean asset cache on
// both sides of it.
class DistSkin : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

class TestPage : public CPopupBox {
public:
    explicit TestPage(const wchar_t* skinFile) : CPopupBox(IDD_GUI_TEST_POPUP, skinFile, nullptr) {}

    // Created from its template, shown and brought to the front, as the
    // programs open a popup.
    bool Open();
};

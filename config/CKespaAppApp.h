#pragma once
// The configuration program's application object: all start-up work, the
// main dialog run modally, then the tear-down; InitInstance always answers
// FALSE, so the process ends without a message loop of its own.

#include "gui/core/CGUIItems.h"
#include "model/device/IGenDevice.h"
#include "model/store/IKeyboardConfig.h"
#include "platform/CWinApp.h"

class CKespaAppApp : public CWinApp {
public:
    CKespaAppApp();
    ~CKespaAppApp() override = default;

    BOOL InitInstance() override;

    IGenDevice* m_device = nullptr;
    IKeyboardConfig* m_config = nullptr;
    CGUIItems m_languages;
    CGUIItems m_layouts;

private:
    // The single-instance check; true when this instance may run, with the
    // mutex then held (and handed to the main dialog).
    bool ClaimSingleInstance(HANDLE& mutex);
    void RegisterInstanceClass();
    void StartUp();
};

#include "config/CKespaAppApp.h"

#include "config/CKespaAppDlg.h"
#include "config/StartupSettings.h"
#include "config/resource.h"
#include "gui/widgets/CDropdownListItem.h"
#include "gui/skin/CLangTable.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/skin/CKeyboardLayoutSwitcher.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CXComboList.h"
#include "model/store/CKespaConfig.h"
#include "model/device/KeyboardDevices.h"
#include "service/CProxyStubRegistration.h"

#include <memory>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

CKespaAppApp::CKespaAppApp() : CWinApp(L"MobekTilvorConfig") {}

void CKespaAppApp::RegisterInstanceClass() {
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = m_hInstance ? m_hInstance : GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_MAINICON));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kSingleInstanceName;
    RegisterClassW(&wc);
}

bool CKespaAppApp::ClaimSingleInstance(HANDLE& mutex) {
    mutex = CreateMutexW(nullptr, FALSE, kSingleInstanceName);
    if (!mutex)
        return false;
    const DWORD wait = WaitForSingleObject(mutex, 1000);
    if (wait == WAIT_TIMEOUT)
        return false;
    if (BringRunningInstanceForward()) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        mutex = nullptr;
        return false;
    }
    // Held until the main window exists, so a second start made meanwhile
    // waits for it instead of starting a second program.
    return true;
}

BOOL CKespaAppApp::InitInstance() {
    RegisterInstanceClass();
    HANDLE mutex = nullptr;
    if (!ClaimSingleInstance(mutex))
        return FALSE;

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    CoInitialize(nullptr);
    // The service's interfaces marshal in this apartment while the program runs.
    auto proxies = std::make_unique<CProxyStubRegistration>();

    wchar_t modulePath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    const CString folder = FolderOfPath(modulePath);
    SetApplicationDirectory(folder);
    SetCurrentDirectoryW(folder);

    m_config = new CKespaConfig(folder);
    m_device = CreateKeyboardDevice(m_config);
    InitSymbolTables();
    RegisterComboListMessages();

    StartupSettings settings;
    if (HKEY key = OpenProgramKey(HKEY_LOCAL_MACHINE, kProgramRegistryKey)) {
        settings = ReadStartupSettings(key);
        if (!settings.installDir.IsEmpty())
            SetCurrentDirectoryW(settings.installDir);
        ShellExecuteW(nullptr, L"open", kTrayProgram, nullptr, nullptr, SW_SHOWNORMAL);
        RegCloseKey(key);
    }

    CLangTable::SetCurrentLanguageId(settings.languageId);
    LoadXmlDescription(&m_languages, L"Language.xml", nullptr, false);
    CLangTable::SelectCurrent(settings.languageId);

    const int32_t layout = ChooseLayoutId(m_device);
    LoadXmlDescription(&m_layouts, L"KeyboardLayout.xml", nullptr, false);
    if (!GetKeyboardLayoutSwitcher().Activate(layout))
        GetKeyboardLayoutSwitcher().Activate(KBLAYOUT_ENGLISH);

    // Every pop-up list is a popup of the program's popup template.
    CDropdownListItem::SetPopupTemplateId(IDD_POPUP);
    CListPanelItem::SetPopupTemplateId(IDD_POPUP);

    auto* dialog = new CKespaAppDlg(m_config, m_device);
    dialog->SetStartupMutex(mutex);
    m_pMainWnd = dialog;
    dialog->DoModal();
    m_pMainWnd = nullptr;

    DestroyKeyboardDevices();
    m_device = nullptr;
    delete static_cast<CKespaConfig*>(m_config);
    m_config = nullptr;
    proxies.reset();
    CoUninitialize();
    delete dialog;
    return FALSE;
}

#pragma once
// "About PoldSysTray": the program's name and version, and OK.

#include "platform/CDialog.h"
#include "tray/TrayResources.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

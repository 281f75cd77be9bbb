#pragma once
// Resources of MobekTilvorConfig.

#define IDD_MAIN_DIALOG 102
#define IDD_POPUP 129
#define IDI_MAINICON 130

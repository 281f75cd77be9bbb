#pragma once
// Dialog templates of the panel tests: the popup template the programs' popups
// use, and a captioned one whose size a panel without a background keeps.

#define IDD_GUI_TEST_POPUP 129
#define IDD_GUI_TEST_SIZED 903

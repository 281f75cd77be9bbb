#pragma once
// Dialog templates of the window tests.  The programs' own template ids are
// not used here: a template id is only a parameter of the dialog classes.

#define IDD_TEST_MODAL 901
#define IDD_TEST_HIDDEN 902
#define IDD_TEST_MISSING 999
#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002

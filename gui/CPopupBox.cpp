#include "gui/CPopupBox.h"

BOOL CPopupBox::OnInitDialog() {
    BindItems();
    return CDialog::OnInitDialog();
}

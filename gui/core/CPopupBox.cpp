#include "gui/core/CPopupBox.h"

BOOL CPopupBox::OnInitDialog() {
    BindItems();
    return CDialog::OnInitDialog();
}

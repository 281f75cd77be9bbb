#pragma once
// The base of the programs' popups: a skinned panel on the popup template
// that binds its items before the dialog's own initialisation.

#include "gui/core/CGUIPanel.h"

class CPopupBox : public CGUIPanel {
public:
    static constexpr UINT kPopupTemplateId = 129;

    CPopupBox(UINT templateId, const wchar_t* skinFile, CWnd* parent) : CGUIPanel(templateId, skinFile, parent) {}

    void BindItems() override {}
    BOOL OnInitDialog() override;
};

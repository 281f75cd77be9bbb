#include "config/CVersionTexts.h"

#include "config/CFileVersions.h"
#include "config/ItemLookup.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CTextItem.h"

#include <windows.h>

void CVersionTexts::Bind(const CGUIItems& items) {
    m_firmware = FindItem<CTextItem>(items, TEXT_FIRMWAREVER, kItemTextItem);
    m_software = FindItem<CTextItem>(items, TEXT_DRIVERVER, kItemTextItem);
    // Kept once, so that showing again never appends twice.
    if (m_firmware && m_firmwareLabel.IsEmpty())
        m_firmwareLabel = m_firmware->GetText();
    if (m_software && m_softwareLabel.IsEmpty())
        m_softwareLabel = m_software->GetText();
}

void CVersionTexts::Show(IGenDevice* device, bool keyboard) {
    CString version;
    if (m_firmware && (!keyboard || (device && device->GetVersionText1(version)))) {
        if (!keyboard)
            if (CLangTable* language = CLangTable::GetCurrent())
                language->Translate(L"$FirmwareUnknown", version);
        CString text;
        text.Format(L"%s: %s", m_firmwareLabel.GetString(), version.GetString());
        m_firmware->SetText(text);
    }
    if (m_software) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        CFileVersions versions;
        versions.SetModulePath(path);
        versions.Read();
        CString text;
        text.Format(L"%s: %s", m_softwareLabel.GetString(), versions.ProductMajorMinor().GetString());
        m_software->SetText(text);
    }
}

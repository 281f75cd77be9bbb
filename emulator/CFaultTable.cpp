#include "emulator/CFaultTable.h"

const std::vector<std::wstring>& CFaultTable::Operations() {
    // IDevice.GetFeature also answers for IDeviceFeatures.GetFeature: both
    // are one operation of the device.
    static const std::vector<std::wstring> operations = {
        L"IDeviceEnumerator.GetDevice",
        L"IDevice.GetInfo",
        L"IDevice.GetFeature",
        L"IDeviceFeatures.GetLayoutCode",
        L"IDeviceIdentity.GetIdentity",
        L"IProfileManager.GetProfile",
        L"IProfileManager.FindProfile",
        L"IProfileManager.SetActiveProfile",
        L"IProfileManager.GetActiveProfile",
        L"IProfileManager.CreateProfile",
        L"IProfileManager.DeleteProfile",
        L"IProfileManager.ImportProfile",
        L"IDeviceProfile.GetFeature",
        L"IDeviceProfile.GetGuid",
        L"IDeviceProfile.GetName",
        L"IDeviceProfile.SetName",
        L"IDeviceProfile.Export",
        L"IProfileProperties.GetProperty",
        L"IProfileProperties.SetProperty",
        L"IKeyAssignmentManager.GetKeyCount",
        L"IKeyAssignmentManager.ReadKeys",
        L"IKeyAssignmentManager.WriteKeys",
        L"IMacroManager.GetMacro",
        L"IMacroManager.FindMacro",
        L"IMacroManager.CreateMacro",
        L"IMacroManager.DeleteMacro",
        L"IMacroManager.ImportMacro",
        L"IDeviceMacro.GetGuid",
        L"IDeviceMacro.GetName",
        L"IDeviceMacro.SetName",
        L"IDeviceMacro.Export",
        L"IDeviceMacro.GetSteps",
        L"IDeviceMacro.SetSteps",
        L"IApplicationManager.GetApplication",
        L"IApplicationManager.FindApplication",
        L"IApplicationManager.CreateApplication",
        L"IApplicationManager.DeleteApplication",
        L"IDeviceApplication.GetGuid",
        L"IDeviceApplication.GetName",
        L"IDeviceApplication.SetName",
        L"ILedCollection.GetLed",
        L"ILed.On",
        L"ILed.Off",
        L"ILed.GetState",
        L"ILed.GetId",
        L"ILedColor.SetColor",
        L"ILedColor.GetColor",
        L"ILedBrightness.SetBrightness",
        L"ILedBrightness.GetBrightness",
        L"ILedEffect.SetEffect",
        L"ILedEffect.GetEffect",
        L"IOnOffFeature.GetValue",
        L"IOnOffFeature.SetValue",
        L"IDeviceMode.GetMode",
        L"IDeviceMode.SetMode",
        L"IOptionalFeature.GetState",
        L"IDpiEventSource.GetDpi",
        L"IConnectionPointContainer.FindConnectionPoint",
        L"IConnectionPoint.Advise",
        L"IConnectionPoint.Unadvise",
    };
    return operations;
}

bool CFaultTable::IsKnownOperation(const wchar_t* operation) {
    if (!operation)
        return false;
    for (const std::wstring& known : Operations())
        if (known == operation)
            return true;
    return false;
}

HRESULT CFaultTable::Inject(const wchar_t* operation, HRESULT result, bool everyCall) {
    if (!IsKnownOperation(operation) || SUCCEEDED(result))
        return E_INVALIDARG;
    m_faults[operation] = Fault{result, everyCall};
    return S_OK;
}

HRESULT CFaultTable::Take(const wchar_t* operation) {
    auto it = m_faults.find(operation);
    if (it == m_faults.end())
        return S_OK;
    HRESULT result = it->second.result;
    if (!it->second.everyCall)
        m_faults.erase(it);
    return result;
}

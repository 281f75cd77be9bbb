#include "model/MacroTransfer.h"

#include "model/DeviceCalls.h"
#include "model/MacroStepsBlockConversion.h"

namespace {

enum class Filled { Yes, NoGuid, NoSteps };

// GUID and steps of a device macro into a store macro made for it; the
// store macro is deleted again when either cannot be read.
Filled FillStoreMacro(IDeviceMacro* device, CMacro* macro, IKeyboardConfig* config) {
    GUID guid;
    if (!ReadItemGuid(device, guid)) {
        config->DeleteMacro(macro);
        return Filled::NoGuid;
    }
    macro->guid = guid;
    std::vector<MacroStep> steps;
    if (!ReadDeviceMacroSteps(device, steps)) {
        config->DeleteMacro(macro);
        return Filled::NoSteps;
    }
    if (!steps.empty())
        macro->steps = steps;
    return Filled::Yes;
}

}  // namespace

bool ReadDeviceMacroSteps(IDeviceMacro* device, std::vector<MacroStep>& steps) {
    steps.clear();
    ULONG cb = 0;
    BYTE* block = nullptr;
    if (!device || FAILED(device->GetSteps(&cb, &block))) {
        CoTaskMemFree(block);
        return false;
    }
    bool parsed = ParseStepsBlock(block, cb, steps);
    CoTaskMemFree(block);
    return parsed;
}

bool WriteDeviceMacroSteps(IDeviceMacro* device, const std::vector<MacroStep>& steps) {
    std::vector<BYTE> block;
    if (!device || !BuildStepsBlock(steps, block))
        return false;
    return SUCCEEDED(device->SetSteps(static_cast<ULONG>(block.size()), block.data()));
}

bool ReadDeviceMacro(IDeviceMacro* device, CMacro& macro) {
    CString name;
    if (!ReadItemGuid(device, macro.guid) || !ReadItemName(device, name))
        return false;
    macro.SetName(name);
    return ReadDeviceMacroSteps(device, macro.steps);
}

bool RegisterMacro(IMacroManager* macros, CMacro* macro) {
    if (!macros || !macro)
        return false;
    std::vector<BYTE> block;
    if (!BuildStepsBlock(macro->steps, block))
        return false;
    CComPtr<IDeviceMacro> created;
    if (FAILED(macros->CreateMacro(&created)) || !created)
        return false;
    GUID guid;
    bool guidRead = ReadItemGuid(created.Get(), guid);
    if (guidRead)
        macro->guid = guid;
    bool stepsSet = SUCCEEDED(created->SetSteps(static_cast<ULONG>(block.size()), block.data()));
    bool nameSet = SUCCEEDED(created->SetName(macro->GetName()));
    return guidRead && stepsSet && nameSet;
}

bool DeleteStaleMacros(IMacroManager* macros, IKeyboardConfig* config, const GuidSet& keep) {
    return DeleteUnknownDeviceItems(macros, &IMacroManager::GetMacro, &IMacroManager::DeleteMacro,
                                    [&](const GUID& guid) {
                                        return keep.count(guid) || config->FindMacroByGuid(guid) != nullptr;
                                    });
}

bool WriteMacros(IMacroManager* macros, IKeyboardConfig* config) {
    if (!macros || !config)
        return false;
    bool result = true;
    for (int i = 0; i < config->GetMacroCount(); ++i) {
        CMacro* macro = config->GetMacro(i);
        if (!macro)
            continue;
        CComPtr<IDeviceMacro> device;
        if (!IsNullGuid(macro->guid))
            device = FindDeviceMacro(macros, macro->guid).Get();
        if (!device) {
            result = RegisterMacro(macros, macro) && result;
            continue;
        }
        CMacro current;
        if (ReadDeviceMacro(device, current) && current == *macro)
            continue;
        CComPtr<IDeviceMacro> again = FindDeviceMacro(macros, macro->guid);
        if (!again) {
            result = false;
            continue;
        }
        if (CompareNoCase(current.GetName(), macro->GetName()) != 0)
            result = SUCCEEDED(again->SetName(macro->GetName())) && result;
        result = WriteDeviceMacroSteps(again, macro->steps) && result;
    }
    return result;
}

bool ReadMacros(IMacroManager* macros, IKeyboardConfig* config, GuidSet& keep) {
    if (!macros || !config)
        return false;
    bool result = true;
    ForEachDeviceItem(macros, &IMacroManager::GetMacro, [&](IDeviceMacro* device) {
        CString name;
        if (!ReadItemName(device, name))
            return true;
        CMacro* macro = config->AddMacro(name);
        if (!macro) {
            GUID guid;
            if (ReadItemGuid(device, guid) && !config->FindMacroByGuid(guid))
                keep.insert(guid);
            return true;
        }
        // A macro without a GUID is left out; one whose steps cannot be read
        // fails the step.
        if (FillStoreMacro(device, macro, config) == Filled::NoSteps)
            result = false;
        return true;
    });
    return result;
}

bool ImportMacroFile(IDevice* device, const wchar_t* path, IKeyboardConfig* config) {
    CComPtr<IMacroManager> macros = GetFeatureOf<IMacroManager>(device);
    CComPtr<IDeviceMacro> imported;
    if (!macros || !path || !config || FAILED(macros->ImportMacro(path, &imported)) || !imported)
        return false;
    CString name;
    if (!ReadItemName(imported.Get(), name))
        return false;
    CMacro* macro = config->AddMacro(name);
    if (!macro)
        return false;
    macro->SetText(path);
    return FillStoreMacro(imported, macro, config) == Filled::Yes;
}

bool ExportMacroFile(IDevice* device, const wchar_t* path, const CMacro* macro) {
    if (!macro || !path || IsNullGuid(macro->guid))
        return false;
    CComPtr<IDeviceMacro> found = FindDeviceMacro(GetFeatureOf<IMacroManager>(device), macro->guid);
    return found && SUCCEEDED(found->Export(path));
}

bool DeviceHoldsMacro(IDevice* device, const CMacro* macro) {
    return macro && FindDeviceMacro(GetFeatureOf<IMacroManager>(device), macro->guid);
}

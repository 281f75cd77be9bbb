#include "model/device/MacroTransfer.h"

#include "model/device/DeviceCalls.h"
#include "model/device/MacroStepsBlockConversion.h"

#include <cwchar>

namespace {

enum class Filled { Yes, NoGuid, NoSteps };

// GUID and steps of a device macro into a store macro made for it; the
// store macro is deleted again when either cannot be read.  guid is the
// device macro's, when it could be read.
Filled FillStoreMacro(IDeviceMacro* device, CMacro* macro, IKeyboardConfig* config, GUID& guid) {
    guid = GUID_NULL;
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

bool DeleteDeviceMacros(IMacroManager* macros, const std::vector<GUID>& guids, CSyncedState& synced) {
    return DeleteDeviceItems(macros, &IMacroManager::FindMacro, &IMacroManager::DeleteMacro, guids,
                             [&](const GUID& guid) {
                                 synced.RemoveMacro(guid);
                                 synced.macroOrder.Remove(guid);
                             });
}

bool WriteMacros(IMacroManager* macros, IKeyboardConfig* config, CSyncedState& synced) {
    if (!macros || !config)
        return false;
    bool result = true;
    for (int i = 0; i < config->GetMacroCount(); ++i) {
        CMacro* macro = config->GetMacro(i);
        if (!macro)
            continue;
        const CMacro* known = IsNullGuid(macro->guid) ? nullptr : synced.FindMacro(macro->guid);
        if (known && !MacroDiffers(*macro, *known))
            continue;
        CComPtr<IDeviceMacro> device;
        if (!IsNullGuid(macro->guid))
            device = FindDeviceMacro(macros, macro->guid).Get();
        bool written = true;
        if (!device) {
            const GUID before = macro->guid;
            written = RegisterMacro(macros, macro);
            if (macro->guid != before)
                synced.macroOrder.Append(macro->guid);
        } else {
            // What the keyboard holds now: the form last synced, or (for a
            // macro the store never synced) what it reads back.
            CMacro current;
            if (known)
                current = *known;
            else if (!ReadDeviceMacro(device, current))
                current = CMacro();
            if (known || current != *macro) {
                // A changed macro goes whole: its steps, and its name where
                // that changed, in letter case too.
                if (std::wcscmp(current.GetName(), macro->GetName()) != 0)
                    written = SUCCEEDED(device->SetName(macro->GetName()));
                written = WriteDeviceMacroSteps(device, macro->steps) && written;
            }
        }
        if (written)
            synced.PutMacro(*macro);
        result = written && result;
    }
    return result;
}

bool ReadMacros(IMacroManager* macros, IKeyboardConfig* config, DeviceListOrder& order) {
    if (!macros || !config)
        return false;
    order.guids.clear();
    bool result = true;
    ForEachDeviceItem(macros, &IMacroManager::GetMacro, [&](IDeviceMacro* device) {
        CString name;
        const bool named = ReadItemName(device, name);
        CMacro* macro = named ? config->AddMacro(name) : nullptr;
        if (!macro) {
            // Left out of the store (its name is there already, or cannot
            // be read), and so never deleted by a write.
            GUID guid;
            if (ReadItemGuid(device, guid))
                order.Append(guid);
            return true;
        }
        // A macro without a GUID is left out; one whose steps cannot be read
        // fails the step.
        GUID guid;
        const Filled filled = FillStoreMacro(device, macro, config, guid);
        if (filled != Filled::NoGuid)
            order.Append(guid);
        if (filled == Filled::NoSteps)
            result = false;
        return true;
    });
    order.known = true;
    return result;
}

bool ImportMacroFile(IDevice* device, const wchar_t* path, IKeyboardConfig* config, CString* duplicateName) {
    CComPtr<IMacroManager> macros = GetFeatureOf<IMacroManager>(device);
    CComPtr<IDeviceMacro> imported;
    if (!macros || !path || !config || FAILED(macros->ImportMacro(path, &imported)) || !imported)
        return false;
    CString name;
    CMacro* macro = ReadItemName(imported.Get(), name) ? config->AddMacro(name) : nullptr;
    if (macro) {
        macro->SetText(path);
        GUID guid;
        if (FillStoreMacro(imported, macro, config, guid) == Filled::Yes)
            return true;
    } else if (duplicateName && !name.IsEmpty() && config->FindMacroByName(name)) {
        *duplicateName = name;
    }
    macros->DeleteMacro(imported.Get());
    return false;
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

#pragma once
// Small helpers around the keyboard service's calls: features by interface,
// names and GUIDs of device items, walking a device list, finding an item
// by GUID, and deleting the items the store no longer knows.  Every object
// the service returns is held by a CComPtr, so it is released on every path.

#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "platform/Guid.h"
#include "service/ServiceInterfaces.h"
#include "service/ServiceText.h"

#include <cstdint>
#include <functional>

// The most steps a walk of a device list takes: a keyboard whose delete
// reports success but keeps the item can never hold a walk for ever.
constexpr uint32_t kMaxDeviceListWalk = 4096;

// An interface that GetFeature of an object hands out; null when refused.
template <class I, class Source>
CComPtr<I> GetFeatureOf(Source* source) {
    CComPtr<I> feature;
    if (!source)
        return feature;
    IUnknown* raw = nullptr;
    if (FAILED(source->GetFeature(__uuidof(I), &raw)) || !raw)
        return feature;
    CComPtr<IUnknown> held;
    held.Attach(raw);
    feature.QueryFrom(held, __uuidof(I));
    return feature;
}

template <class Item>
bool ReadItemGuid(Item* item, GUID& guid) {
    ULONG w[4] = {};
    if (!item || FAILED(item->GetGuid(&w[0], &w[1], &w[2], &w[3])))
        return false;
    const uint32_t words[4] = {w[0], w[1], w[2], w[3]};
    guid = GuidFromWords(words);
    return true;
}

// The name text is freed on every path.
template <class Item>
bool ReadItemName(Item* item, CString& name) {
    ULONG cb = 0;
    BYTE* block = nullptr;
    if (!item || FAILED(item->GetName(&cb, &block))) {
        CoTaskMemFree(block);
        return false;
    }
    return TakeServiceText(cb, block, name);
}

// Visits a device list in index order until the list ends (a failed or
// empty answer), visit returns false, or kMaxDeviceListWalk items were seen.
// Each item is released after its visit; a visitor that keeps one holds its
// own reference.
template <class Manager, class Item, class Visit>
void ForEachDeviceItem(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**), Visit visit) {
    if (!manager)
        return;
    for (ULONG index = 0; index < kMaxDeviceListWalk; ++index) {
        CComPtr<Item> item;
        if (FAILED((manager->*get)(index, &item)) || !item || !visit(item.Get()))
            break;
    }
}

template <class Manager, class Item>
CComPtr<Item> FindDeviceItem(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*find)(ULONG, ULONG, ULONG, ULONG, Item**),
                             const GUID& guid) {
    CComPtr<Item> item;
    if (!manager)
        return item;
    uint32_t w[4];
    GuidToWords(guid, w);
    if (FAILED((manager->*find)(w[0], w[1], w[2], w[3], &item)))
        item.Release();
    return item;
}

inline CComPtr<IDeviceProfile> FindDeviceProfile(IProfileManager* manager, const GUID& guid) {
    return FindDeviceItem(manager, &IProfileManager::FindProfile, guid);
}
inline CComPtr<IDeviceMacro> FindDeviceMacro(IMacroManager* manager, const GUID& guid) {
    return FindDeviceItem(manager, &IMacroManager::FindMacro, guid);
}
inline CComPtr<IDeviceApplication> FindDeviceApplication(IApplicationManager* manager, const GUID& guid) {
    return FindDeviceItem(manager, &IApplicationManager::FindApplication, guid);
}

// Walks a device list by index and deletes every item whose GUID 'known'
// rejects; after a delete the same index is looked at again.  An item whose
// GUID cannot be read is kept.  False when a delete failed.
template <class Manager, class Item>
bool DeleteUnknownDeviceItems(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**),
                              HRESULT (STDMETHODCALLTYPE Manager::*remove)(Item*),
                              const std::function<bool(const GUID&)>& known) {
    if (!manager)
        return false;
    bool result = true;
    ULONG index = 0;
    GUID lastDeleted = GUID_NULL;
    for (uint32_t steps = 0; steps < kMaxDeviceListWalk; ++steps) {
        CComPtr<Item> item;
        if (FAILED((manager->*get)(index, &item)) || !item)
            break;
        GUID guid;
        if (!ReadItemGuid(item.Get(), guid) || known(guid)) {
            ++index;
            continue;
        }
        // A delete that said yes but left the item where it was is a failure,
        // not a reason to try again.
        if (!IsNullGuid(lastDeleted) && guid == lastDeleted) {
            result = false;
            ++index;
            lastDeleted = GUID_NULL;
            continue;
        }
        if (SUCCEEDED((manager->*remove)(item))) {
            lastDeleted = guid;
        } else {
            result = false;
            ++index;
        }
    }
    return result;
}

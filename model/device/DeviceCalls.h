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
#include <vector>

// The most steps a walk of a device list takes: a keyboard whose delete
// reports success but keeps the item can never hold a walk for ever.
constexpr uint32_t kMaxDeviceListWalk = 4096;

// Whether a service call succeeded; a caller that must see each result (to
// notice a connection gone bad, say) passes its own.
struct CallSucceeded {
    bool operator()(HRESULT hr) const noexcept { return SUCCEEDED(hr); }
};

// An interface that GetFeature of an object hands out; null when refused.
template <class I, class Source, class Ok = CallSucceeded>
CComPtr<I> GetFeatureOf(Source* source, Ok ok = Ok()) {
    CComPtr<I> feature;
    if (!source)
        return feature;
    IUnknown* raw = nullptr;
    if (!ok(source->GetFeature(__uuidof(I), &raw)) || !raw)
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
template <class Manager, class Item, class Visit, class Ok = CallSucceeded>
void ForEachDeviceItem(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**), Visit visit,
                       Ok ok = Ok()) {
    if (!manager)
        return;
    for (ULONG index = 0; index < kMaxDeviceListWalk; ++index) {
        CComPtr<Item> item;
        if (!ok((manager->*get)(index, &item)) || !item || !visit(item.Get()))
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

// The GUIDs of a device list in its order; an item whose GUID cannot be
// read is left out.
template <class Manager, class Item>
std::vector<GUID> WalkDeviceGuids(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**)) {
    std::vector<GUID> guids;
    ForEachDeviceItem(manager, get, [&](Item* item) {
        GUID guid;
        if (ReadItemGuid(item, guid))
            guids.push_back(guid);
        return true;
    });
    return guids;
}

// Whether a device list still has count items, the last with the GUID
// last: the keyboard puts new items at the end and never gives a GUID
// twice, so that tells whether it holds the same items, in two or three
// calls instead of a walk.
template <class Manager, class Item, class Ok = CallSucceeded>
bool DeviceListUnchanged(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**), size_t count,
                         const GUID& last, Ok ok = Ok()) {
    if (!manager || count >= kMaxDeviceListWalk)
        return false;
    if (count > 0) {
        CComPtr<Item> item;
        GUID guid;
        if (!ok((manager->*get)(static_cast<ULONG>(count - 1), &item)) || !item || !ReadItemGuid(item.Get(), guid) ||
            guid != last)
            return false;
    }
    // Whatever ends a walk ends the list.
    CComPtr<Item> past;
    return !ok((manager->*get)(static_cast<ULONG>(count), &past)) || !past;
}

template <class Manager, class Item>
bool DeviceListUnchanged(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**),
                         const std::vector<GUID>& order) {
    return DeviceListUnchanged(manager, get, order.size(), order.empty() ? GUID_NULL : order.back());
}

// Deletes the device items with these GUIDs; one the keyboard no longer has
// is gone already.  gone(guid) is told of each item that is not on the
// keyboard afterwards.  False when a delete failed.
template <class Manager, class Item, class Gone>
bool DeleteDeviceItems(Manager* manager,
                       HRESULT (STDMETHODCALLTYPE Manager::*find)(ULONG, ULONG, ULONG, ULONG, Item**),
                       HRESULT (STDMETHODCALLTYPE Manager::*remove)(Item*), const std::vector<GUID>& guids,
                       Gone gone) {
    if (!manager)
        return guids.empty();
    bool result = true;
    for (const GUID& guid : guids) {
        CComPtr<Item> item = FindDeviceItem(manager, find, guid);
        if (!item || SUCCEEDED((manager->*remove)(item)))
            gone(guid);
        else
            result = false;
    }
    return result;
}

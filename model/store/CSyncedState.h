#pragma once
// What the keyboard holds, as far as the store knows: the store's items as
// they were when it last read the keyboard whole or last wrote to it with
// success, and the keyboard's lists in their order as last seen.  What the
// user changed since is whatever differs from it; a write sends that and
// nothing else, so what the keyboard, the tray program or another client
// changed meanwhile stays as the keyboard has it.

#include "model/store/CKespaProfile.h"
#include "model/store/CMacro.h"
#include "model/store/CVqApp.h"
#include "model/store/IKeyboardConfig.h"
#include "platform/Guid.h"

#include <cstdint>
#include <memory>
#include <vector>

// The LED indexes a profile's lighting is compared over: the keyboard's
// LEDs 1 to 11, and -1 for any LED it reports with another id.
constexpr int32_t kFirstSyncedLed = -1;
constexpr int32_t kLastSyncedLed = 10;

// A keyboard list (profiles, macros or applications) by GUID, in its order.
// The keyboard puts new items at the end of a list and never gives a GUID
// twice, so a list that still has this length and this last item holds
// the same items.
struct DeviceListOrder {
    bool known = false;
    std::vector<GUID> guids;

    bool Holds(const GUID& guid) const;
    void Append(const GUID& guid);
    void Remove(const GUID& guid);
};

// A macro is one item, name and steps; a rename in letter case only is a
// change the keyboard is told of.
bool MacroDiffers(const CMacro& macro, const CMacro& synced);
bool ApplicationDiffers(const CVqApp& application, const CVqApp& synced);

class CSyncedState {
public:
    CSyncedState() = default;
    CSyncedState(const CSyncedState& other);
    CSyncedState& operator=(const CSyncedState& other);
    ~CSyncedState();

    // False until the store has read the keyboard: then every item counts
    // as changed and nothing as deleted.
    bool IsKnown() const noexcept { return m_known; }
    // After a write that sent the whole store: what it holds is known now.
    void MarkKnown() noexcept { m_known = true; }
    // After a whole read: the store holds what the keyboard holds.  The list
    // orders are the read's to set.
    void TakeStore(IKeyboardConfig& store);
    void Forget();

    // Null when the keyboard's form of the item is not known.
    IKeyboardProfile* FindProfile(const GUID& guid) const;
    const CMacro* FindMacro(const GUID& guid) const;
    const CVqApp* FindApplication(const GUID& guid) const;
    // Copies of the item as the keyboard now holds it, in place of the one
    // with its GUID; an item without a GUID is not kept.
    void PutProfile(IKeyboardProfile& profile);
    void PutMacro(const CMacro& macro);
    void PutApplication(const CVqApp& application);
    // A key of a synced profile whose record the keyboard did not get: it
    // reads as no assignment, so that the store's assignment stays a change.
    void ForgetKeyAssignment(const GUID& profile, int32_t key);
    void RemoveProfile(const GUID& guid);
    void RemoveMacro(const GUID& guid);
    void RemoveApplication(const GUID& guid);

    // The items of the last sync that the store no longer has: those the
    // user deleted.
    std::vector<GUID> DeletedProfiles(IKeyboardConfig& store) const;
    std::vector<GUID> DeletedMacros(IKeyboardConfig& store) const;
    std::vector<GUID> DeletedApplications(IKeyboardConfig& store) const;

    GUID activeProfile = GUID_NULL;
    uint8_t onOff = 0;
    DeviceListOrder profileOrder;
    DeviceListOrder macroOrder;
    DeviceListOrder applicationOrder;

private:
    bool m_known = false;
    std::vector<std::unique_ptr<CKespaProfile>> m_profiles;
    std::vector<CMacro> m_macros;
    std::vector<CVqApp> m_applications;
};

// The record of the keyboard that a store keeps; null for a store that
// keeps none.
CSyncedState* SyncedStateOf(IKeyboardConfig* store);

#include "model/device/ProfileChanges.h"

#include "model/device/DeviceKeyRecords.h"
#include "model/store/CSyncedState.h"
#include "model/store/IKeyTable.h"
#include "model/store/KeyAssignment.h"

namespace {

bool SameLed(const IKeyboardProfile& a, const IKeyboardProfile& b, int32_t led) {
    return a.GetLedEnabled(led) == b.GetLedEnabled(led) && a.GetLedColor(led) == b.GetLedColor(led) &&
           a.GetLedEffect(led) == b.GetLedEffect(led) && a.GetLedBrightness(led) == b.GetLedBrightness(led);
}

bool SameOptions(const IKeyboardProfile& a, const IKeyboardProfile& b) {
    return a.GetLinkedApplicationName() == b.GetLinkedApplicationName() && a.GetAutoSwitch() == b.GetAutoSwitch() &&
           a.GetShowOsd() == b.GetShowOsd() && a.GetProfileOption() == b.GetProfileOption();
}

}  // namespace

ProfileChanges FindProfileChanges(IKeyboardProfile& profile, IKeyboardProfile* synced,
                                  const std::vector<uint32_t>& keyIds) {
    ProfileChanges changes;
    changes.unknown = synced == nullptr;
    if (synced) {
        // A rename in letter case only is the user's too.
        changes.name = CString(profile.GetName()) != synced->GetName();
        changes.options = !SameOptions(profile, *synced);
    }
    for (uint32_t keyId : keyIds) {
        const int32_t key = FindDeviceKey(DeviceKeyCode(keyId));
        if (key == 0)
            continue;
        if (!synced || !SameAssignment(profile.GetKeyAssignment(key), synced->GetKeyAssignment(key)))
            changes.keys.push_back(keyId);
    }
    for (int32_t led = kFirstSyncedLed; led <= kLastSyncedLed; ++led)
        if (!synced || !SameLed(profile, *synced, led))
            changes.leds.push_back(led);
    return changes;
}

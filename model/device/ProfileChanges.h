#pragma once
// What a write must send of one profile: what differs between the store's
// profile and the keyboard's form of it as the synced record holds it, key
// by key in the keyboard's own key ids.

#include "model/store/IKeyboardProfile.h"

#include <cstdint>
#include <vector>

// What differs between a store profile and the keyboard's form of it.
struct ProfileChanges {
    bool unknown = false;  // the keyboard's form is not known: all of it goes
    bool name = false;     // letter case included
    bool options = false;  // linked program, automatic switching, profile option, on-screen display
    std::vector<uint32_t> keys;  // device key ids, in the keyboard's order
    std::vector<int32_t> leds;   // LED indexes

    bool Any() const noexcept { return unknown || name || options || !keys.empty() || !leds.empty(); }
};

// keyIds are the keyboard's keys; a null synced profile makes everything
// unknown, with every key and LED listed.
ProfileChanges FindProfileChanges(IKeyboardProfile& profile, IKeyboardProfile* synced,
                                  const std::vector<uint32_t>& keyIds);

#pragma once
// A profile of a keyboard: copying and the rule by which assignment kinds are
// accepted.

#include "model/store/CBaseProfile.h"

#include <cstdint>
#include <vector>

class CKeyboardProfile : public CBaseProfile {
public:
    using CBaseProfile::CBaseProfile;

    // Same effect as Assign.
    virtual void CopyFrom(const CBaseProfile& other);
    // The keyboard has no profile option: setting does nothing.
    virtual void SetProfileOption(int32_t value);
    virtual bool GetProfileOption() const;

protected:
    // A kind is accepted when it is listed, and the by-name and by-path kinds
    // (7, 23, 64) when their GUID kinds (6, 22, 63) are: the device layer turns
    // them into those before anything is sent.
    static bool IsListedAssignmentType(int32_t type, const std::vector<int32_t>& supported);
};

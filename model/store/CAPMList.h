#pragma once
// The APM entries, owned by the list, in ascending order of second (compared
// unsigned), no two with the same second.

#include "model/store/CAPM.h"
#include "model/store/COwnedList.h"

#include <cstdint>

class CAPMList : public COwnedList<CAPM> {
public:
    CAPMList();
    ~CAPMList() override;

    CAPM* FindById(int32_t second) const;
    // False, and nothing added, when an entry with that second exists.
    bool Add(int32_t value, int32_t first, int32_t second);
};

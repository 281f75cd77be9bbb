#pragma once
// One APM entry: three integers kept and transferred as they are; second is
// the entry's key.

#include <cstdint>

class CAPM {
public:
    CAPM(int32_t value, int32_t first, int32_t second);
    virtual ~CAPM();

    int32_t value;
    int32_t first;
    int32_t second;
};

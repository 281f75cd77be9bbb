#include "model/store/CAPM.h"

CAPM::CAPM(int32_t v, int32_t f, int32_t s) : value(v), first(f), second(s) {}

CAPM::~CAPM() = default;

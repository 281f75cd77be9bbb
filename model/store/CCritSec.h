#pragma once
// A critical section held for the lifetime of a scope: entered when made,
// left when destroyed.

#include "platform/CCriticalSection.h"

class CCritSec : public CCriticalSection {
public:
    CCritSec();
    ~CCritSec() override;
};

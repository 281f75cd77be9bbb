#pragma once
// The store's destruction, in the order its parts depend on each other.

#include "model/store/CBaseConfig.h"

template <class TProfile>
class CKeyboardConfig : public CBaseConfig<TProfile> {
public:
    explicit CKeyboardConfig(const wchar_t* applicationFolder);
    ~CKeyboardConfig() override;
};

#include "model/store/CKeyboardConfig.h"

#include "model/store/CKespaProfile.h"

template <class TProfile>
CKeyboardConfig<TProfile>::CKeyboardConfig(const wchar_t* applicationFolder)
    : CBaseConfig<TProfile>(applicationFolder) {}

template <class TProfile>
CKeyboardConfig<TProfile>::~CKeyboardConfig() {
    this->m_apmEntries.DeleteAll();
    this->m_configKeyRecords.clear();
    this->m_applications.DeleteAll();
    this->m_macros.DeleteAll();
    this->m_profiles.DeleteAll();
}

template class CKeyboardConfig<CKespaProfile>;

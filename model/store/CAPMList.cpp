#include "model/store/CAPMList.h"

#include <algorithm>
#include <memory>

CAPMList::CAPMList() = default;

CAPMList::~CAPMList() = default;

CAPM* CAPMList::FindById(int32_t second) const {
    return FindFirst([second](const CAPM* e) { return e->second == second; });
}

bool CAPMList::Add(int32_t value, int32_t first, int32_t second) {
    if (FindById(second))
        return false;
    auto entry = std::make_unique<CAPM>(value, first, second);
    auto at = std::find_if(m_items.begin(), m_items.end(), [second](const CAPM* e) {
        return static_cast<uint32_t>(e->second) > static_cast<uint32_t>(second);
    });
    m_items.insert(at, entry.get());
    entry.release();
    return true;
}

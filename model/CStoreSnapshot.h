#pragma once
// The store as a write sends it.  A write runs on a worker thread while the
// user keeps editing the store, so the worker works on this copy, made on
// the store's own thread when the write starts; what the write finds out
// (the GUIDs of items it created on the keyboard, the references it
// resolved) is given back to the store on that thread afterwards.  The user's
// edits are never half-read and never overwritten.

#include "model/CKespaConfig.h"
#include "model/IKeyboardConfig.h"
#include "model/KeyAssignmentTransfer.h"

#include <vector>

class CStoreSnapshot {
public:
    // Copies the profiles (and which is active), macros, applications and
    // the on/off value.
    explicit CStoreSnapshot(IKeyboardConfig* store);
    CStoreSnapshot(const CStoreSnapshot&) = delete;
    CStoreSnapshot& operator=(const CStoreSnapshot&) = delete;

    IKeyboardConfig* Config() noexcept { return &m_copy; }

    // New GUIDs go to the store's items that are still the ones copied
    // (same name, still without a GUID); a resolved reference replaces the
    // store's assignment only while the store still holds the reference.
    void MergeInto(IKeyboardConfig* store, const std::vector<ResolvedAssignment>& resolved);

private:
    CKespaConfig m_copy;
    std::vector<bool> m_newProfiles;
    std::vector<bool> m_newMacros;
    std::vector<bool> m_newApplications;
};

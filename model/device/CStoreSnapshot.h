#pragma once
// The store as a write sends it.  A write runs on a worker thread while the
// user keeps editing the store, so the worker works on this copy, made on
// the store's own thread when the write starts, with the store's record of
// what the keyboard holds.  What the write finds out (the GUIDs of items it
// created on the keyboard, the references it resolved, what the keyboard
// had changed meanwhile) is given back to the store on that thread
// afterwards.  The user's edits are never half-read and never overwritten.

#include "model/store/CKespaConfig.h"
#include "model/store/IKeyboardConfig.h"
#include "model/device/KeyAssignmentTransfer.h"
#include "model/device/TransferSteps.h"

#include <utility>
#include <vector>

class CStoreSnapshot {
public:
    // Copies the profiles (and which is active), macros, applications and
    // the on/off value.
    explicit CStoreSnapshot(IKeyboardConfig* store);
    CStoreSnapshot(const CStoreSnapshot&) = delete;
    CStoreSnapshot& operator=(const CStoreSnapshot&) = delete;

    IKeyboardConfig* Config() noexcept { return &m_copy; }
    // The copy's record of the keyboard, which the write keeps up to date.
    CSyncedState* Synced() noexcept { return &m_copy.Synced(); }

    // New GUIDs go to the store's items that are still the ones copied
    // (same name, still without a GUID); a resolved reference replaces the
    // store's assignment only while the store still holds the reference.
    // With found (a write that succeeded and sent every step): what the
    // keyboard changed goes into the store for each item the user has not
    // changed since the copy was made, and the store's record of the
    // keyboard becomes what the write left on it.
    void MergeInto(IKeyboardConfig* store, const std::vector<AssignmentChange>& resolved,
                   const KeyboardFindings* found, const std::vector<uint32_t>& keyIds);

private:
    CKespaConfig m_copy;
    // The copies of the profiles that were not on the keyboard yet (a write
    // neither deletes nor replaces them), with their places in the store.
    std::vector<std::pair<IKeyboardProfile*, int>> m_newProfiles;
    // Every macro and application by its name (unique in a store) with the
    // GUID it had: a write gives one a GUID when it registers it, and when
    // the keyboard had lost it.
    std::vector<std::pair<CString, GUID>> m_macroGuids;
    std::vector<std::pair<CString, GUID>> m_applicationGuids;
};

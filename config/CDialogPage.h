#pragma once
// One page of the main dialog, and what a page may ask of the dialog.
//
// How a page is written (the key-assignment page is the first):
// - Its skin files are loaded by the dialog into the page's own item lists
//   (Items(), and further lists a page may own, such as the keyboard layout
//   of the key page); after loading, the dialog calls Bind(), where the page
//   finds its items once (FindItem, config/ItemLookup.h) and keeps the
//   pointers: an item the skin lacks stays null and is skipped.
// - Refresh() fills the page from the store: after the first read, after a
//   write that took in the keyboard's changes, after a switch of profile.
// - The dialog routes to the page what belongs to it: OnCommand with the id
//   of a button or text item found in the page's lists, OnMessage with a
//   private widget message of one of its items (and the notifications such
//   as EN_KILLFOCUS that its items send as WM_COMMAND); each answers
//   whether it took the message.
// - A page reaches the store, the device, the dialog's dirty flag and the
//   window that owns its popups through IPageHost only, never through the
//   dialog's members: a page knows nothing of the other pages.

#include "config/AssignmentActions.h"
#include "gui/core/CGUIItems.h"
#include "model/device/IGenDevice.h"
#include "model/store/IKeyboardConfig.h"

#include <windows.h>

#include <cstdint>

class CWnd;

// The dialog as its pages see it.
class IPageHost {
public:
    virtual IKeyboardConfig& Store() = 0;
    // Null when the program runs without a device object.
    virtual IGenDevice* Device() = 0;
    // The main window: the owner of popups and file dialogs.
    virtual CWnd& Window() = 0;
    virtual void SetDirty(int flag) = 0;
    // The store holds changes the keyboard has not taken.
    virtual bool IsDirty() = 0;
    // Before asking the keyboard anything: waits until a write that runs has
    // ended (and its outcome is in the store); false after the time-out.
    virtual bool WaitWhileWriting() = 0;
    // After a change that every page shows (profiles, names, the active profile).
    virtual void RefreshPages() = 0;
    virtual void SwitchProfile(IKeyboardProfile* profile) = 0;
    // A macro or profile is about to be deleted: every key of every profile
    // that points at it gets its default function back.
    virtual void ClearAssignmentsTo(const DeletedTarget& target) = 0;
    // The page buttons, OK, Cancel, Apply (on only with changes to write),
    // the manual, close and update buttons: off while a page must not be left.
    virtual void EnableMainControls(bool enable) = 0;
    // The active profile's logo light to the keyboard, while the keyboard
    // shows that profile.
    virtual void ApplyLighting() = 0;

protected:
    ~IPageHost() = default;
};

class CDialogPage {
public:
    explicit CDialogPage(IPageHost& host) : m_host(host) {}
    virtual ~CDialogPage() = default;
    CDialogPage(const CDialogPage&) = delete;
    CDialogPage& operator=(const CDialogPage&) = delete;

    CGUIItems& Items() noexcept { return m_items; }
    const CGUIItems& Items() const noexcept { return m_items; }
    // Whether an item (by its window) is one of the page's.
    virtual CGUIItem* FindByWindow(HWND window) const { return m_items.FindByWindow(window); }
    virtual void ShowAll(bool show) { m_items.ShowAll(show); }

    virtual void Bind() = 0;
    virtual void Refresh() {}
    virtual bool OnCommand(int32_t itemId) { return false; }
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // The keyboard went away: whatever the page does with it ends now.
    virtual void OnDeviceRemoved() {}

protected:
    IKeyboardConfig& Store() { return m_host.Store(); }
    IGenDevice* Device() { return m_host.Device(); }

    IPageHost& m_host;
    CGUIItems m_items;
};

#pragma once
// The drop list that a drop-down cell of the list control opens: a pop-up
// window holding a list box and a vertical scroll bar of its own.  It tells
// its owner about keys and clicks with four messages registered once for
// the process; what they do is the owner's business.

#include "platform/CString.h"
#include "platform/CWnd.h"

#include <functional>

// The four registered messages, all sent with wParam 0 and lParam 0; each
// is 0 until RegisterComboListMessages has run.
struct ComboListMessages {
    UINT vkReturn = 0;   // "WM_XCOMBOLIST_VK_RETURN": Enter in the drop list
    UINT vkEscape = 0;   // "WM_XCOMBOLIST_VK_ESCAPE": Escape, or the focus gone elsewhere
    UINT keyDown = 0;    // "WM_XCOMBOLIST_KEYDOWN": a key moved the selection
    UINT lButtonUp = 0;  // "WM_XCOMBOLIST_LBUTTONUP": a click in the drop list
};

// Registers the four by name.  The program's start calls it once, before
// any window exists; a later call finds the same values.
void RegisterComboListMessages();
const ComboListMessages& GetComboListMessages();
// Whether a message is one of the registered ones: never before
// registration, so an unregistered 0 does not take WM_NULL for it.
inline bool IsComboListMessage(UINT message, UINT registered) { return registered != 0 && message == registered; }

class CXComboList : public CWnd {
public:
    static constexpr int kScrollBarWidth = 11;
    // The window is this much higher than its whole rows.
    static constexpr int kFrameHeight = 4;

    // The window's height fitted to whole rows of the list box, at least one.
    struct Fit {
        int listHeight;
        int rows;
        int windowHeight;
    };
    static Fit FitToRows(int windowHeight, int itemHeight);
    // Where a key moves the selection from pos, clamped to 0..maximum; -1
    // for a key that moves nothing.  A letter goes to the entry 'find'
    // gives for it (-1: no entry starts with it).
    static int KeyTarget(UINT key, int pos, int page, int maximum, const std::function<int(wchar_t)>& find);

    // owner: the window the registered messages go to; it outlives the list.
    explicit CXComboList(CWnd* owner);
    ~CXComboList() override;

    // A bordered pop-up at a screen rectangle, owned by the owner's window.
    bool CreatePopup(const RECT& screenRect);
    // The first call fits the window to whole rows and lays out the list
    // box and the bar; every call gives the list box the focus.
    void Show();
    virtual CWnd* GetScrollBar();

    int AddString(const wchar_t* text);
    int GetCount() const;
    int GetCurSel() const;
    void SetCurSel(int index);
    // The first entry equal to text, ignoring case; -1 if none.
    int FindExact(const wchar_t* text) const;
    CString GetText(int index) const;
    CString GetSelectedText() const;
    void SetListFont(HFONT font);
    CWnd& GetListBox() noexcept { return m_listBox; }
    int GetFocusLosses() const noexcept { return m_focusLosses; }

    // Keys and the button's release in the list box.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate(CREATESTRUCTW* create) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnDestroy() override;

private:
    // The list box tells the drop list when it loses the focus.
    class ListBox : public CWnd {
    public:
        explicit ListBox(CXComboList& list) : m_list(list) {}

    protected:
        void OnKillFocus(CWnd* newWnd) override;

    private:
        CXComboList& m_list;
    };

    void FocusLost(CWnd* newWnd);
    void Notify(UINT registered);
    void OnFilterKey(UINT key);
    int BarMaximum() const;
    int BarPage() const;
    void SetBarPosition(int position);

    ListBox m_listBox;
    CWnd m_scrollBar;
    CWnd* m_owner;
    int m_focusLosses = 0;
    bool m_firstShow = true;
};

#pragma once
// The macro editor (skin element MACRODISPLAY): a macro's steps as rows of a
// framed list (key down, key up, mouse button, delay), with a skinned scroll
// bar at its right.  It records new steps from the keyboard and the mouse
// through raw input, with the delays between them; a right click on a row
// opens that row's menu (insert a delay, delete, edit); a delay is edited in
// place.  The read-only twin plays a macro back on screen, one step at a
// time with its delays (the preview).
//
// It tells its owner (the loader's parent) of every change with
// WM_MACRO_EVENTS_CHANGED, asks it to edit a key step with
// WM_MACRO_EDIT_KEY_EVENT and reports a preview's end with
// WM_MACRO_PREVIEW_DONE; each carries the item's symbolic id in lParam.
// Recording itself sends nothing: the owner reads the steps when it stops.

#include "gui/core/CGUIItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/KeyStroke.h"
#include "gui/widgets/CMacroRecorder.h"
#include "gui/widgets/MacroEvents.h"
#include "platform/CFont.h"
#include "platform/CImageList.h"
#include "platform/CListCtrl.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CBitmap;
class CDC;
class CFontItem;
class CGenericPanel;
class CGUIItems;
class CListPanelItem;
class CVScrollBar;
struct PictureRecord;

class CMacroDisplayItem : public CListCtrl, public CGUIItem {
public:
    static constexpr UINT_PTR kPreviewTimer = 32;
    static constexpr int kMaxColumns = 2;
    // The in-place delay edit takes up to 9,999,999 ms.
    static constexpr int kDelayEditLimit = 7;
    static constexpr int kImageWidth = 28;
    static constexpr int kImageHeight = 18;

    struct Column {
        int index = -1;
        int32_t type = -1;
        wchar_t justify = L'L';
    };

    CMacroDisplayItem();
    ~CMacroDisplayItem() override;

    // The MACRODISPLAY element's builder: null for an unknown name or a
    // window that cannot be made.
    static CMacroDisplayItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The frame at rect under parent (with its picture), the list inside
    // it less the border, and the bar (owned from now on, may be null) at
    // its right.
    bool CreateFrameAndList(const RECT& rect, CWnd* parent, UINT id, int borderWidth, const PictureRecord* picture,
                            CVScrollBar* bar, CFontItem* font);
    // -1 for a column id already there, a third column, or an id or type
    // of -1; otherwise the new column's index.
    int AddColumn(int32_t columnId, int32_t type, wchar_t justify, int width);
    const Column* FindColumn(int32_t columnId) const;
    int GetColumnCount() const noexcept { return static_cast<int>(m_columns.size()); }

    void Show(bool show) override;

    // Starts or stops recording; false when refused (read-only, or the
    // input cannot be registered) or when it stopped.  Stopping appends
    // the releases of what is still held.  Returns the new state.
    bool ToggleRecording();
    bool IsRecording() const noexcept { return m_recording; }
    bool IsReadOnly() const noexcept { return m_readOnly; }
    void SetReadOnly(bool readOnly) noexcept { m_readOnly = readOnly; }

    // Shows these steps; refused while recording.  True when there are rows.
    bool LoadEvents(const std::vector<MacroStep>& steps);
    // The read-only twin plays a copy of the steps back (the owner may
    // change its own list meanwhile); false for an editable item.
    bool SetEvents(const std::vector<MacroStep>& steps);
    // Ends a preview: the timer stops, the rows go, the next preview starts
    // from the first step.
    void StopPreview();
    bool IsPreviewing() const noexcept { return m_previewing; }
    void ClearEvents();
    // Puts step in place of the one at index; refused when read-only or for
    // an index outside the steps.
    bool ReplaceEvent(int index, const MacroStep& step);
    // A row for the step at index (-1 or past the end: at the end), selected
    // and in view; its index, -1 when refused.
    int AddEvent(const MacroStep& step, bool repaint, int index = -1);
    const std::vector<MacroStep>& GetEvents() const noexcept { return m_steps; }

    // The selected step's index, -1 when none is.
    int GetSelectedIndex() const;
    // Selects, focuses and shows a step; -1 (or an index outside the steps)
    // clears the selection.
    void SelectEvent(int index);

    // The menus of key, delay and mouse rows (not owned; null: none).
    void SetStepMenus(CListPanelItem* keyMenu, CListPanelItem* delayMenu, CListPanelItem* mouseMenu);
    // What a menu entry does to the selected row: "$InsertDelay", "$Delete"
    // or "$Edit" (compared ignoring case); false for any other text or when
    // it does nothing.
    bool RunMenuCommand(const wchar_t* command);

    void SetIgnoreDelays(bool on) noexcept { m_recorder.SetIgnoreDelays(on); }
    void SetInsertDefaultDelay(bool on) noexcept { m_recorder.SetInsertDefaultDelay(on); }
    void SetDefaultDelay(int32_t ms) noexcept { m_recorder.SetDefaultDelay(ms); }
    int32_t GetDefaultDelay() const noexcept { return m_recorder.GetDefaultDelay(); }
    const CMacroRecorder& GetRecorder() const noexcept { return m_recorder; }
    // The owner's stop button: a click on it is never recorded.
    void SetStopControl(HWND stop) noexcept { m_stopControl = stop; }
    HWND GetStopControl() const noexcept { return m_stopControl; }

    // A raw mouse record's button flags as recording takes them, at a
    // screen point (where the pointer was) and a tick count.
    void RecordMouseFlags(USHORT buttonFlags, POINT screen, DWORD time);
    // A raw keyboard record as recording takes it.
    void RecordKeyboard(const RAWKEYBOARD& record, DWORD time);

    bool IsEditingLabel() const noexcept { return m_editing; }
    // The last key the editor saw go down (outside recording).
    UINT GetLastKey() const noexcept { return m_lastKey; }

    COLORREF GetFontColour() const noexcept { return m_fontColour; }
    COLORREF GetBackColour() const noexcept { return m_backColour; }
    COLORREF GetSelectedFontColour() const noexcept { return m_selectedFontColour; }
    COLORREF GetSelectedBackColour() const noexcept { return m_selectedBackColour; }
    COLORREF GetBorderColour() const noexcept { return m_borderColour; }
    int GetBorderWidth() const noexcept { return m_borderWidth; }
    int GetLeftMargin() const noexcept { return m_leftMargin; }
    int GetMaximum() const noexcept { return m_maximum; }
    const CBitmap* GetRowPicture(int kind) const;
    CVScrollBar* GetScrollBar() const noexcept { return m_scrollBar.get(); }
    CGenericPanel* GetFrame() const noexcept { return m_frame.get(); }
    CWnd* GetNotifyWindow() const { return GetOwner(); }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnReflectedNotify(NMHDR* header, LRESULT* result) override;
    LRESULT OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnTimer(UINT_PTR id) override;
    void OnRawInput(UINT code, HRAWINPUT input) override;

private:
    void AppendRecorded(const std::vector<MacroStep>& steps);
    // The row's text and picture kind from its step.
    CString Describe(const MacroStep& step) const;
    LRESULT Notify(UINT message);
    void UpdateBar();
    bool IsOverStopControl(POINT screen) const;

    // The preview's next steps, up to the next delay.
    void ShowPreviewSteps();

    bool BeginDelayEdit(int row);
    void EndDelayEdit(const wchar_t* text);
    void CancelDelayEdit();

    void PaintBackground(CDC& dc);
    void PaintCell(CDC& dc, int row, int columnIndex);
    int32_t ColumnIdAt(int index) const;

    std::map<int32_t, Column> m_columns;
    const CBitmap* m_rowPictures[kMacroRowKinds] = {};
    CImageList m_images;
    CToolTipCtrl m_tooltip;
    CFontItem* m_font = nullptr;  // owned by the item list
    CFont m_boldFont;
    COLORREF m_fontColour = 0xFFFFFF;
    COLORREF m_selectedFontColour = 0;
    COLORREF m_backColour = 0;
    COLORREF m_selectedBackColour = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
    int m_borderWidth = 1;
    int m_rowHeight = 19;
    int m_leftMargin = 0;
    std::unique_ptr<CGenericPanel> m_frame;
    std::unique_ptr<CVScrollBar> m_scrollBar;
    CListPanelItem* m_menus[3] = {};  // key, delay, mouse rows
    UINT m_lastKey = 0;
    KeyStroke m_keyStroke;
    std::vector<MacroStep> m_steps;
    int m_maximum = 0;
    CMacroRecorder m_recorder;
    // A preview's own copy of its steps and the next one to show.
    std::vector<MacroStep> m_previewSteps;
    size_t m_previewNext = 0;
    bool m_previewing = false;
    bool m_recording = false;
    bool m_readOnly = false;
    bool m_editing = false;
    int m_editRow = -1;
    HWND m_stopControl = nullptr;
};

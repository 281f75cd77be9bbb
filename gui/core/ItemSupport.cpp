#include "gui/core/ItemSupport.h"

#include "gui/skin/CLangTable.h"
#include "platform/CBitmap.h"
#include "platform/CDC.h"
#include "platform/CToolTipCtrl.h"
#include "platform/CWnd.h"

#include <mutex>

namespace {

const wchar_t kNewlineMarker[] = L"\\n";

}  // namespace

int ReplaceNewlineMarker(CString& text) { return text.Replace(kNewlineMarker, L" "); }

bool BreakFirstNewlineMarker(CString& text) {
    const int at = text.Find(kNewlineMarker);
    if (at < 0)
        return false;
    text = text.Left(at) + L"\r\n" + text.Mid(at + 2);
    return true;
}

bool TranslateSkinText(const wchar_t* text, CString& out) {
    const CLangTable* table = CLangTable::GetCurrent();
    if (table)
        return table->Translate(text ? text : L"", out);
    out = text ? text : L"";
    return false;
}

void ApplyCaseOption(CString& text, int caseOption) {
    if (caseOption == kCaseUpper)
        text.MakeUpper();
    else if (caseOption == kCaseLower)
        text.MakeLower();
}

HFONT CreateBoldArialFont(int height) {
    return ::CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"Arial");
}

HFONT GetFallbackFont() {
    static std::once_flag once;
    static HFONT font = nullptr;
    std::call_once(once, [] { font = CreateBoldArialFont(14); });
    return font;
}

void InvalidateInParent(HWND item) {
    HWND parent = item ? ::GetParent(item) : nullptr;
    if (!parent)
        return;
    RECT r;
    ::GetClientRect(item, &r);
    ::MapWindowPoints(item, parent, reinterpret_cast<POINT*>(&r), 2);
    ::InvalidateRect(parent, &r, TRUE);
    ::UpdateWindow(parent);
}

void SetItemTooltip(CToolTipCtrl& tooltip, CWnd* item, const wchar_t* text) {
    if (!item || !item->GetSafeHwnd())
        return;
    if (!tooltip.GetSafeHwnd()) {
        if (!tooltip.Create(item, 0))
            return;
        tooltip.Activate(false);
    }
    constexpr UINT_PTR kToolId = 1;
    if (tooltip.GetToolCount() == 0) {
        RECT client;
        item->GetClientRect(&client);
        tooltip.AddTool(item, L"", &client, kToolId);
    }
    CString shown;
    TranslateSkinText(text, shown);
    ReplaceNewlineMarker(shown);
    tooltip.UpdateTipText(shown, item, kToolId);
    tooltip.Activate(true);
}

void RelayToTooltip(CToolTipCtrl& tooltip, MSG* msg) {
    if (tooltip.GetSafeHwnd() && msg)
        tooltip.RelayEvent(msg);
}

void RelayToTooltipMadeOnce(CToolTipCtrl& tooltip, CWnd* item, MSG* msg) {
    if (!tooltip.GetSafeHwnd() && item && item->GetSafeHwnd() && tooltip.Create(item, 0))
        tooltip.Activate(false);
    RelayToTooltip(tooltip, msg);
}

CSize BitmapSize(const CBitmap* bitmap) {
    BITMAP info = {};
    if (!bitmap || !bitmap->GetBitmap(&info))
        return CSize(0, 0);
    return CSize(info.bmWidth, info.bmHeight);
}

void DrawBitmapAt(CDC& target, const CBitmap& bitmap, int x, int y, int width, int height, int srcX, int srcY) {
    CDC source;
    if (!bitmap.GetSafeHandle() || !source.CreateCompatibleDC(&target))
        return;
    source.SelectObject(&bitmap);
    target.BitBlt(x, y, width, height, &source, srcX, srcY, SRCCOPY);
}

CString ShortenToFit(const CString& caption, int reserved, int available,
                     const std::function<int(const CString&)>& width) {
    CString copy = caption;
    bool shortened = false;
    while (!copy.IsEmpty() && width(copy) + reserved > available) {
        copy = copy.Left(copy.GetLength() - 1);
        shortened = true;
    }
    if (shortened)
        copy += L"...";
    return copy;
}

int FontHeightOf(HFONT font) {
    LOGFONTW info = {};
    if (!font || ::GetObjectW(font, sizeof info, &info) != sizeof info)
        return 0;
    return info.lfHeight < 0 ? -info.lfHeight : info.lfHeight;
}

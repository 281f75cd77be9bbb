#pragma once
// Small functions every widget of the library shares: the shown-text rules
// of skins (language lookup, case option, the two-character "\n" marker),
// the text colour that stands for "not set", the bold "Arial" fallback font,
// repainting an item together with the background under it, and the item
// tooltip.

#include "platform/CSize.h"
#include "platform/CString.h"

#include <windows.h>

#include <functional>

class CBitmap;
class CDC;
class CToolTipCtrl;
class CWnd;

// A skin colour of 0 means "not set" and is drawn near white, so black can
// never be chosen as a text colour.
constexpr COLORREF kUnsetTextColour = 0xFEFEFE;
constexpr COLORREF DrawnTextColour(COLORREF colour) { return colour != 0 ? colour : kUnsetTextColour; }

// Case options of the 'caps' attribute.
enum CaseOption : int { kCaseUnchanged = 0, kCaseUpper = 1, kCaseLower = 2 };

// Every "\n" marker (backslash, letter n) becomes one space; the number of
// markers replaced.  Tooltips show a skin text on one line this way.
int ReplaceNewlineMarker(CString& text);
// Only the first marker becomes a line break (CR LF); false without one.
bool BreakFirstNewlineMarker(CString& text);
// The text through the current language table: true and its value when the
// table knows it; otherwise false and the text as given.
bool TranslateSkinText(const wchar_t* text, CString& out);
void ApplyCaseOption(CString& text, int caseOption);

// A new font (the caller owns it): weight 700, face "Arial", the given
// height.
HFONT CreateBoldArialFont(int height);
// The widgets' font when the skin gives none: one bold 14-pixel "Arial" for
// the whole process, never deleted by an item.
HFONT GetFallbackFont();

// A font's height in pixels (its cell height as created); 0 without one.
int FontHeightOf(HFONT font);

// The item's own rectangle of its parent is invalidated with erase and the
// parent updated at once, so the background under a transparent item is
// repainted before the item paints itself again.
void InvalidateInParent(HWND item);

// The item's tooltip: made on first use (owned by the item, deactivated),
// one tool (id 1) over the item's client area; the text goes through the
// language table, its "\n" markers become spaces, then the tip is activated.
void SetItemTooltip(CToolTipCtrl& tooltip, CWnd* item, const wchar_t* text);
// Hands a message to the item's tooltip when it has one.
void RelayToTooltip(CToolTipCtrl& tooltip, MSG* msg);
// The same for an item whose tooltip is made (deactivated) on the first
// message, whether it ever gets a text or not.
void RelayToTooltipMadeOnce(CToolTipCtrl& tooltip, CWnd* item, MSG* msg);

// The width and height of a bitmap; 0, 0 without one.
CSize BitmapSize(const CBitmap* bitmap);
// Copies (width x height from srcX, srcY of) a bitmap to the target at x, y.
void DrawBitmapAt(CDC& target, const CBitmap& bitmap, int x, int y, int width, int height, int srcX = 0,
                  int srcY = 0);

// Removes characters from the end of the caption until its width plus
// 'reserved' fits 'available', then appends "..." when anything was
// removed.  The caller's text is left as it is: a copy is shortened.
CString ShortenToFit(const CString& caption, int reserved, int available,
                     const std::function<int(const CString&)>& width);

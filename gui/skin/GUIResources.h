#pragma once
// The process-wide asset list: every file a skin names, found again by its
// name (ignoring case) and kind.  Entries are appended in the order first
// requested, also when the file could not be loaded, so a missing file is
// tried once per process.  Used from the user-interface thread only.

#include "gui/skin/CGUIResource.h"

#include <vector>

// The folder of the program's executable with a trailing backslash; set
// once at start-up, before any skin file is loaded.
void SetApplicationDirectory(const wchar_t* directory);
const CString& GetApplicationDirectory();

CGUIResource* FindOrLoadGUIResource(const wchar_t* name, int32_t kind);
// The size of the entry of that name and kind; 0 when none was requested.
// The kind is part of the question: the same name may be cached as a
// picture and as a bitmap, with different sizes.
int32_t GetGUIResourceSize(const wchar_t* name, int32_t kind);

// Lookups from skin text (UTF-8, as the XML reader gives it): the text is
// trimmed of white space and requested; the result is what was loaded, or
// null.
CBitmap* GetSkinPictureByAttribute(const char* text);
HBITMAP GetSkinBitmapByAttribute(const char* text);
// The entry, for its bytes and its size together; null when not loaded.
const CGUIResource* GetLanguageFileByAttribute(const char* text);
const CGUIResource* GetBinaryFileByName(const wchar_t* name);

// Releases every entry from the last to the first and empties the list.
// Runs at process exit; the list may be used again afterwards.
void ReleaseGUIResources();
// Every entry, in the order requested (for checks of a whole skin).
const std::vector<CGUIResource*>& GetGUIResources();

#pragma once
// The open and save dialogs of the keyboard's files (profiles, macros):
// owned by the main window, with the filter and preset name of the files of
// one extension, and the program's folder kept as its current directory.

#include "platform/CString.h"

class CWnd;

// The path chosen; empty when the dialog was cancelled or the name chosen
// is no more than the preset ("." and the extension).  The dialog holds
// paths longer than the keyboard takes, so that the caller refuses one
// rather than have it cut.
CString ChooseKeyboardFile(CWnd& owner, bool save, const wchar_t* extension, const wchar_t* kind,
                           const wchar_t* initialFolder = nullptr);
// A chosen file's name counts when it is more than the dialog's preset.
bool ChosenFileCounts(const wchar_t* fileName, const wchar_t* extension);

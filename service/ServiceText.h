#pragma once
// Texts cross the service as CoTaskMem blocks: the UTF-16 text with its
// terminator, and the block's size in bytes beside it.

#include "platform/CString.h"

#include <windows.h>

#include <string>

// A fresh block for text; on failure *block is null and *cb 0.
HRESULT AllocServiceText(const std::wstring& text, ULONG* cb, BYTE** block);

// Takes a block the service handed back: always frees it, and yields the
// text only when the size is even, non-zero and the last unit is the
// terminator.  A block whose text stops early is cut at its first zero.
bool TakeServiceText(ULONG cb, BYTE* block, CString& text);

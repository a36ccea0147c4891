// The framework's search for media files.
#pragma once
#include "platform/win32/win32.h"

// Looks for `filename` in the current folder, then in its parent and
// grandparent folders. Found: its path in `dest`, S_OK. Not found: the plain
// name in `dest` and a failure, so a caller may still try to open it. A
// `dest` too small for the answer fails with E_INVALIDARG.
HRESULT DXUTFindDXSDKMediaFileCch(WCHAR* dest, int destCount, LPCWSTR filename);

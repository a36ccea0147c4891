// 8-bit game text to the 16-bit text of the platform's wide calls.
#pragma once
#include "platform/win32/win32.h"

// Writes length + 1 units (terminator included): each byte sign-extended,
// so bytes 128 to 255 get the high byte 0xFF. No code page is involved.
void WidenText(WCHAR* destination, const char* text);

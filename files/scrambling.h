// The per-byte scrambling of map and profile lines on disk.
#pragma once
#include "platform/types.h"

// Stored byte = plain byte - ScrambleKey (mod 256), so 0xF5 stores plain + 11;
// newline bytes stay. The only plain bytes that would be stored as a byte that
// text reading treats specially (0x00, newline, carriage return, 0x1A) are
// 0xF5, 0xFF, 0x02 and 0x0F: two control characters and two bytes that never
// occur in UTF-8. Every printable character, tab and UTF-8 text is safe.
inline constexpr u8 ScrambleKey = 0xF5;

// Both change every byte before the terminator in place (measured once, so a
// byte that becomes zero does not shorten the run) and return text.
char* ScrambleText(char* text);
char* UnscrambleText(char* text);

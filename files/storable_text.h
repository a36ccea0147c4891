// Texts that the profile can write and read back unchanged.
#pragma once

// No '<' or '>' (they would open or close an element), no line break, and no
// byte that scrambling stores as the terminator or as a newline.
bool IsStorableText(const char* text);

// A map name that can key an element of the MapScores block: storable text
// of 1 to MapNameMaxLength characters that does not begin with '/' (it would
// read as another map's closing tag) and is none of the profile's own keys
// (the element would be read as that value).
bool IsStorableMapName(const char* name);

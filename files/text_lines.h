// Reading the lines of the map and profile files.
#pragma once
#include <cstdio>

#include "platform/types.h"

// Reads the next line into line (capacity includes the terminator), without
// its line end: a newline, or a carriage return and a newline as written on
// other systems. A last line without a newline is read as well. False when
// nothing is left or when the line holds capacity or more characters; the
// reading of the file should then end.
bool ReadTextLine(std::FILE* file, char* line, i32 capacity);

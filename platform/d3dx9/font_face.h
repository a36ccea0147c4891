// Finding a face's file among the installed fonts.
#pragma once
#include <string>

struct FontFile {
  std::string path;
  int index = 0;       // the face's index inside the file
  std::string family;  // the family found, which may differ from the one asked for
};

// The installed face closest to `family` at `weight` (400 normal, 700 bold)
// and slant, by fontconfig's matching: the face itself when it is installed,
// else its stand-in where it has one, else one of its kind (serif,
// sans-serif, ...), else the default face.
// False only when no font at all is installed.
bool FindFontFile(const std::string& family, int weight, bool italic, FontFile* found);

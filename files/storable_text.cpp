#include "files/storable_text.h"

#include <cstring>

#include "files/score_list.h"
#include "files/scrambling.h"

bool IsStorableText(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    const u8 stored = static_cast<u8>(static_cast<u8>(*c) - ScrambleKey);
    if (*c == '<' || *c == '>' || *c == '\n' || *c == '\r' || stored == 0 || stored == '\n') return false;
  }
  return true;
}

bool IsStorableMapName(const char* name) {
  static const char* const profileKeys[] = {"MapScores", "HighScore", "SavedLevel", "MuteMusic"};
  const std::size_t length = strnlen(name, MapNameMaxLength + 1);
  if (length == 0 || length > static_cast<std::size_t>(MapNameMaxLength) || name[0] == '/') return false;
  for (const char* key : profileKeys)
    if (std::strcmp(name, key) == 0) return false;
  return IsStorableText(name);
}

#include "files/score_list.h"

#include <cstring>

#include "files/tagged_text.h"

MapScoreList::~MapScoreList() {
  while (first != nullptr) {
    MapScore* next = first->next;
    delete first;
    first = next;
  }
}

MapScore* MapScoreList::Find(const char* mapName) const {
  for (MapScore* r = first; r != nullptr; r = r->next) {
    if (std::strcmp(r->name, mapName) == 0) return r;
  }
  return nullptr;
}

void MapScoreList::Record(const char* mapName, i32 score) {
  if (MapScore* r = Find(mapName)) {
    if (r->score < score) r->score = score;
    return;
  }
  const std::size_t length = std::strlen(mapName);
  if (length >= sizeof MapScore::name) return;
  MapScore* r = new MapScore;
  std::memcpy(r->name, mapName, length + 1);
  r->score = score;
  r->next = nullptr;
  if (last != nullptr) {
    last->next = r;
  } else {
    first = r;
  }
  last = r;
}

std::string MapScoreList::Write() const {
  std::string text = "<MapScores>";
  for (const MapScore* r = first; r != nullptr; r = r->next) {
    // A longer name could not be read back, and its record would make the
    // line too long to read, losing the rest of the profile with it.
    if (std::strlen(r->name) > static_cast<std::size_t>(MapNameMaxLength)) continue;
    // The whole text counts, not the current line: once the first line has
    // reached 500 characters, every record gets a line of its own.
    if (text.size() >= 500) text += "</MapScores>\n<MapScores>";
    text += MakeOpenTag(r->name);
    text += std::to_string(r->score);
    text += MakeCloseTag(r->name);
  }
  text += "</MapScores>\n";
  return text;
}

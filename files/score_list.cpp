#include "files/score_list.h"

#include <cstring>
#include <memory>

#include "files/storable_text.h"
#include "files/tagged_text.h"

MapScoreList::~MapScoreList() {
  while (first != nullptr) {
    MapScore* next = first->next;
    delete first;
    first = next;
  }
}

MapScore* MapScoreList::Find(const char* mapName) const {
  const auto found = byName.find(mapName);
  return found != byName.end() ? found->second : nullptr;
}

void MapScoreList::Record(const char* mapName, i32 score) {
  if (MapScore* r = Find(mapName)) {
    if (r->score < score) r->score = score;
    return;
  }
  if (!IsStorableMapName(mapName)) return;
  auto record = std::make_unique<MapScore>();
  std::memcpy(record->name, mapName, std::strlen(mapName) + 1);
  record->score = score;
  record->next = nullptr;
  byName.emplace(record->name, record.get());
  MapScore* r = record.release();
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

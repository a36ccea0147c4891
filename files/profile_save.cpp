#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/scrambling.h"
#include "files/storable_text.h"

namespace {

// The profile's lines, scrambled; none when they would make a profile too
// large to be read back.
std::vector<std::string> ProfileLines() {
  const struct MapScoreList none;
  const struct MapScoreList& scores = MapScoreList != nullptr ? *MapScoreList : none;
  std::vector<std::string> lines{scores.Write(), "<HighScore>" + std::to_string(HighScore) + "</HighScore>\n"};
  const std::string savedLevel(SavedLevel, strnlen(SavedLevel, sizeof SavedLevel - 1));
  if (!savedLevel.empty() && IsStorableText(savedLevel.c_str()))
    lines.push_back("<SavedLevel>" + savedLevel + "</SavedLevel>\n");
  lines.push_back(std::string("<MuteMusic>") + (MusicMuted ? "true" : "false") + "</MuteMusic>\n");
  std::size_t bytes = 0;
  for (std::string& line : lines) {
    ScrambleText(line.data());
    bytes += line.size();
  }
  if (bytes <= ProfileMaxBytes) return lines;
  std::fprintf(stderr, "profile %s: would be larger than %zu bytes, not written\n", ProfilePath, ProfileMaxBytes);
  return {};
}

bool WriteProfileLines(std::FILE* file, const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (std::fputs(line.c_str(), file) < 0) return false;
  return true;
}

// Writes the profile from the start of the open descriptor, cuts off what
// an older, longer profile left after it, and closes it; true only when
// every byte has reached the disk.
bool WriteAndClose(int descriptor, const std::vector<std::string>& lines) {
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    close(descriptor);
    return false;
  }
  bool written = false;
  try {
    written = WriteProfileLines(file, lines);
  } catch (const std::exception&) {
    // Quiet, as every profile failure: the old profile stays.
  }
  written = written && std::fflush(file) == 0;
  const long length = std::ftell(file);
  // EINVAL: a file system that has nothing to sync.
  written = written && length >= 0 && ftruncate(fileno(file), length) == 0 &&
            (fsync(fileno(file)) == 0 || errno == EINVAL);
  return std::fclose(file) == 0 && written;
}

// The permission bits of the profile being replaced; for a first profile,
// those that creating it in place would have given.
mode_t ProfileMode(const char* path) {
  struct stat old {};
  if (stat(path, &old) == 0) return old.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A file in the profile's place that no save of ours could have made, a
// pipe, a device, a folder or a file too large to be read, is left alone.
bool MayReplace(const char* path) {
  struct stat old {};
  if (stat(path, &old) != 0) return true;
  const char* refusal = !S_ISREG(old.st_mode)                            ? "not a regular file"
                        : std::size_t(old.st_size) > ProfileMaxBytes ? "too large to be read"
                                                                       : nullptr;
  if (refusal == nullptr) return true;
  std::fprintf(stderr, "profile %s: %s, not written over\n", path, refusal);
  return false;
}

}  // namespace

void SaveProfile() {
  if (ProfilePath[0] == '\0') return;
  try {
    if (!MayReplace(ProfilePath)) return;
    const std::vector<std::string> lines = ProfileLines();
    if (lines.empty()) return;
    // Written beside the old profile and renamed over it once it is on disk:
    // a crash, a kill or a full disk leaves the old profile whole.
    std::string temporary(ProfilePath, strnlen(ProfilePath, sizeof ProfilePath - 1));
    temporary += ".XXXXXX.tmp";
    const int descriptor = mkstemps(temporary.data(), 4);
    if (descriptor == -1) {
      // Nothing can be made beside it: the profile itself, if it is there
      // and writable, takes the new one in place. No folder: nothing.
      const int inPlace = open(ProfilePath, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      struct stat file {};
      if (inPlace != -1 && fstat(inPlace, &file) == 0 && S_ISREG(file.st_mode)) {
        WriteAndClose(inPlace, lines);
      } else if (inPlace != -1) {
        close(inPlace);
      }
      return;
    }
    fchmod(descriptor, ProfileMode(ProfilePath));
    if (!WriteAndClose(descriptor, lines) || std::rename(temporary.c_str(), ProfilePath) != 0) {
      std::remove(temporary.c_str());
    }
  } catch (const std::exception&) {
  }
}

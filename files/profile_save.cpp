#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

// The file a save replaces: the profile, or the file its symbolic links
// lead to, which may not be there yet (a packaged install links the profile
// into the player's own folder). Empty when the links go round in a loop.
std::string ProfileFile(const char* profilePath) {
  std::string file = profilePath;
  for (int links = 0; links < 40; ++links) {
    struct stat entry {};
    if (lstat(file.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return file;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = readlink(file.c_str(), target.data(), target.size());
    if (length <= 0 || std::size_t(length) >= target.size()) return {};
    target.resize(std::size_t(length));
    const std::size_t slash = file.rfind('/');
    file = target[0] == '/' || slash == std::string::npos ? target : file.substr(0, slash + 1) + target;
  }
  std::fprintf(stderr, "profile %s: too many symbolic links, not written\n", profilePath);
  return {};
}

}  // namespace

void SaveProfile() {
  if (ProfilePath[0] == '\0') return;
  try {
    const std::string profile = ProfileFile(ProfilePath);
    if (profile.empty() || !MayReplace(profile.c_str())) return;
    const std::vector<std::string> lines = ProfileLines();
    if (lines.empty()) return;
    // Written beside the old profile and renamed over it once it is on disk:
    // a crash, a kill or a full disk leaves the old profile whole.
    std::string temporary = profile + ".XXXXXX.tmp";
    const int descriptor = mkstemps(temporary.data(), 4);
    if (descriptor == -1) {
      // Nothing can be made beside it: the profile itself, if it is there
      // and writable, takes the new one in place. No folder: nothing.
      const int inPlace = open(profile.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      struct stat file {};
      if (inPlace != -1 && fstat(inPlace, &file) == 0 && S_ISREG(file.st_mode)) {
        WriteAndClose(inPlace, lines);
      } else if (inPlace != -1) {
        close(inPlace);
      }
      return;
    }
    fchmod(descriptor, ProfileMode(profile.c_str()));
    if (!WriteAndClose(descriptor, lines) || std::rename(temporary.c_str(), profile.c_str()) != 0) {
      std::remove(temporary.c_str());
    }
  } catch (const std::exception&) {
  }
}

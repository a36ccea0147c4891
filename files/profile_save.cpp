#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/scrambling.h"
#include "files/storable_text.h"

namespace {

bool WriteScrambled(std::FILE* file, std::string line) {
  ScrambleText(line.data());
  return std::fputs(line.c_str(), file) >= 0;
}

bool WriteProfileLines(std::FILE* file) {
  const struct MapScoreList none;
  const struct MapScoreList& scores = MapScoreList != nullptr ? *MapScoreList : none;
  if (!WriteScrambled(file, scores.Write())) return false;
  if (!WriteScrambled(file, "<HighScore>" + std::to_string(HighScore) + "</HighScore>\n")) {
    return false;
  }
  const std::string savedLevel(SavedLevel, strnlen(SavedLevel, sizeof SavedLevel - 1));
  if (!savedLevel.empty() && IsStorableText(savedLevel.c_str()) &&
      !WriteScrambled(file, "<SavedLevel>" + savedLevel + "</SavedLevel>\n")) {
    return false;
  }
  return WriteScrambled(file, std::string("<MuteMusic>") + (MusicMuted ? "true" : "false") +
                                  "</MuteMusic>\n");
}

// Writes the profile from the start of the open descriptor, cuts off what
// an older, longer profile left after it, and closes it; true only when
// every byte has reached the disk.
bool WriteAndClose(int descriptor) {
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    close(descriptor);
    return false;
  }
  bool written = false;
  try {
    written = WriteProfileLines(file);
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

}  // namespace

void SaveProfile() {
  if (ProfilePath[0] == '\0') return;
  try {
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
        WriteAndClose(inPlace);
      } else if (inPlace != -1) {
        close(inPlace);
      }
      return;
    }
    fchmod(descriptor, ProfileMode(ProfilePath));
    if (!WriteAndClose(descriptor) || std::rename(temporary.c_str(), ProfilePath) != 0) {
      std::remove(temporary.c_str());
    }
  } catch (const std::exception&) {
  }
}

// The profile: its saved lines, a save that fails, and profiles edited by
// hand or damaged on disk.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/scrambling.h"
#include "tests/files/pipe_writer.h"
#include "tests/files/temp_folder.h"

namespace {

using ScoreRecords = std::vector<std::pair<std::string, i32>>;
using TextLines = std::vector<std::string>;

class ProfileTest : public testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.File("profile.mnd");

  void SetUp() override {
    Reset();
    std::strcpy(ProfilePath, path.c_str());
  }
  void TearDown() override {
    delete MapScoreList;
    MapScoreList = nullptr;
  }
  static void Reset() {
    delete MapScoreList;
    MapScoreList = new struct MapScoreList;
    HighScore = 0;
    SavedLevel[0] = LevelToLoad[0] = '\0';
    MusicMuted = 0;
  }
  // Writes plain lines scrambled, each followed by lineEnd.
  void WriteProfile(const TextLines& lines, const std::string& lineEnd = "\n") {
    std::string bytes;
    for (std::string line : lines) bytes += ScrambleText(line.data()) + lineEnd;
    WriteWholeFile(path, bytes);
  }
  TextLines Entries() const {
    TextLines names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path))
      names.push_back(entry.path().filename().string());
    return names;
  }
  static ScoreRecords Scores() {
    ScoreRecords records;
    for (const MapScore* r = MapScoreList->first; r; r = r->next) records.emplace_back(r->name, r->score);
    return records;
  }
};

// The permission bits that a file made now gets.
mode_t ProfileModeOfNewFile() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A HighScore line padded with spaces to length characters.
std::string HighScoreLine(int score, std::size_t length) {
  std::string line = "<HighScore>" + std::to_string(score) + "</HighScore>";
  return line + std::string(length - line.size(), ' ');
}

TEST_F(ProfileTest, SavesFourKindsOfLineScrambledWithPlainNewlines) {
  MapScoreList->Record("map1.mn", 87);
  HighScore = 1234;
  std::strcpy(SavedLevel, "map2.mn");
  MusicMuted = 1;
  SaveProfile();
  std::string expected;
  for (std::string line : {"<MapScores><map1.mn>87</map1.mn></MapScores>", "<HighScore>1234</HighScore>",
                           "<SavedLevel>map2.mn</SavedLevel>", "<MuteMusic>true</MuteMusic>"})
    expected += ScrambleText(line.data()) + std::string("\n");
  EXPECT_EQ(ReadWholeFile(path), expected);
  EXPECT_EQ(Entries(), TextLines{"profile.mnd"});
  SavedLevel[0] = '\0';  // no saved level, no SavedLevel line
  SaveProfile();
  const std::string saved = ReadWholeFile(path);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3);
}

TEST_F(ProfileTest, ASavedProfileReadsBackWhole) {
  for (int i = 0; i < 30; ++i) MapScoreList->Record(("level" + std::to_string(i) + ".mn").c_str(), i);
  MapScoreList->Record(std::string(MapNameMaxLength, 'q').c_str(), 100);
  MapScoreList->Record("negative.mn", -7);
  HighScore = 987654;
  std::strcpy(SavedLevel, "level12.mn");
  MusicMuted = 1;
  SaveProfile();
  const ScoreRecords saved = Scores();
  Reset();
  LoadProfile();
  EXPECT_EQ(Scores(), saved);
  EXPECT_EQ(HighScore, 987654);
  EXPECT_STREQ(SavedLevel, "level12.mn");
  EXPECT_STREQ(LevelToLoad, "level12.mn");
  EXPECT_EQ(MusicMuted, 1);
}

TEST_F(ProfileTest, AMissingProfileChangesNothingAndAMissingFolderGetsNothing) {
  HighScore = 12;
  MusicMuted = 1;
  LoadProfile();
  EXPECT_EQ(HighScore, 12);
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_STREQ(LevelToLoad, "");

  std::strcpy(ProfilePath, folder.File("nowhere/profile.mnd").c_str());
  SaveProfile();
  EXPECT_TRUE(Entries().empty());
}

// The new profile takes the old one's permission bits; a first one gets what
// creating it would have given.
TEST_F(ProfileTest, ASaveKeepsThePermissionBits) {
  auto savedMode = [&] {
    SaveProfile();
    struct stat saved {};
    stat(path.c_str(), &saved);
    return saved.st_mode & 07777;
  };
  const mode_t oldMask = umask(027);
  EXPECT_EQ(savedMode(), 0640u);
  umask(oldMask);
  for (const mode_t mode : {0644, 0600, 0660}) {
    chmod(path.c_str(), mode);
    EXPECT_EQ(savedMode(), mode);
  }
}

// A read-only folder lets nothing be made beside the profile; the profile
// itself, writable, is written in place. Root may write anywhere, so the
// save runs as nobody in a child process.
TEST_F(ProfileTest, AProfileInAReadOnlyFolderIsWrittenInPlace) {
  WriteProfile({"<HighScore>1</HighScore>", std::string(2000, 'x'), "<MuteMusic>true</MuteMusic>"});
  chmod(path.c_str(), 0666);
  chmod(folder.path.c_str(), 0555);
  MapScoreList->Record("map3.mn", 42);
  HighScore = 77;
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    SaveProfile();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(folder.path.c_str(), 0755);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(Entries(), TextLines{"profile.mnd"});
  Reset();
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"map3.mn", 42}}));
  EXPECT_EQ(HighScore, 77);
  EXPECT_EQ(MusicMuted, 0);
}

TEST_F(ProfileTest, AFailingWriteLeavesTheOldProfileWhole) {
  MapScoreList->Record("map1.mn", 10);
  HighScore = 5;
  SaveProfile();
  const std::string old = ReadWholeFile(path);

  // A disk that fills up after a few bytes of the new profile.
  for (int i = 0; i < 40; ++i) MapScoreList->Record(("map" + std::to_string(i + 2) + ".mn").c_str(), i);
  HighScore = 999;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SaveProfile();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(ReadWholeFile(path), old);
  EXPECT_EQ(Entries(), TextLines{"profile.mnd"});
}

TEST_F(ProfileTest, EveryTagIsTakenOnEveryLineInAnyOrder) {
  WriteProfile({"<MuteMusic>true</MuteMusic><HighScore>3</HighScore>", "<MapScores><b.mn>4</b.mn></MapScores>",
                "<HighScore>8</HighScore><MapScores><a.mn>1</a.mn><b.mn>9</b.mn></MapScores>",
                "<MapScores><a.mn>0</a.mn></MapScores><SavedLevel>a.mn</SavedLevel>"});
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"b.mn", 9}, {"a.mn", 1}}));
  EXPECT_EQ(HighScore, 8);
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_STREQ(LevelToLoad, "a.mn");
}

TEST_F(ProfileTest, OnlyTrueMutesAndAnEmptyValueChangesNothing) {
  const std::pair<const char*, u8> cases[] = {{"true", 1}, {"True", 0}, {"false", 0}, {"", 7}, {"true ", 0}};
  for (const auto& [value, muted] : cases) {
    MusicMuted = 7;
    WriteProfile({std::string("<MuteMusic>") + value + "</MuteMusic>"});
    LoadProfile();
    EXPECT_EQ(MusicMuted, muted) << value;
  }
}

TEST_F(ProfileTest, ALineOf1000CharactersIsSkippedItsCrLfDoesNotCount) {
  WriteProfile({HighScoreLine(1, 1000), "<MuteMusic>true</MuteMusic>", HighScoreLine(2, 999),
                HighScoreLine(3, 5000), "<SavedLevel>map2.mn</SavedLevel>"});
  testing::internal::CaptureStderr();
  LoadProfile();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), path + " line 1: 1000 characters or more, skipped\n" + path +
                                                        " line 4: 1000 characters or more, skipped\n");
  EXPECT_EQ(HighScore, 2);
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_STREQ(SavedLevel, "map2.mn");

  WriteProfile({HighScoreLine(3, 999), HighScoreLine(4, 999)}, "\r\n");
  LoadProfile();
  EXPECT_EQ(HighScore, 4);
}

TEST_F(ProfileTest, OverlongNamesAreRefusedAndNumbersStayInBounds) {
  const std::string fits(SavedLevelCapacity - 1, 's');
  const std::string longest(MapNameMaxLength, 'a'), tooLong(MapNameMaxLength + 1, 'b'), huge(300, 'c');
  auto score = [](const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
  };
  WriteProfile({"<SavedLevel>" + fits + "</SavedLevel>",
                "<SavedLevel>" + std::string(SavedLevelCapacity, 't') + "</SavedLevel>", "<SavedLevel>a>b</SavedLevel>",
                "<MapScores>" + score(tooLong, "5") + score(longest, "6") + score(huge, "7") + "</MapScores>",
                "<MapScores>" + score("a.mn", std::string(300, '9')) + score("b.mn", std::string(250, '9')) +
                    score("c.mn", "-99999999999") + score("d.mn", "  -12xyz") + "</MapScores>",
                "<HighScore>99999999999999999999999</HighScore>"});
  testing::internal::CaptureStderr();
  LoadProfile();
  const std::string refusedLevel = path + ": a saved level of an unusable map name left out\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            refusedLevel + refusedLevel + path + ": 2 map scores of unusable map names left out\n");
  EXPECT_EQ(std::string(SavedLevel), fits);
  EXPECT_EQ(std::string(LevelToLoad), fits);
  EXPECT_EQ(Scores(), (ScoreRecords{{longest, 6}, {"a.mn", 0}, {"b.mn", INT_MAX}, {"c.mn", INT_MIN}, {"d.mn", -12}}));
  EXPECT_EQ(HighScore, INT_MAX);
}

TEST_F(ProfileTest, BrokenMapScoresElementsReadWhatTheyCan) {
  WriteProfile({"<MapScores><a.mn>1</a.mn><>2</><b.mn>3</b.mn></MapScores>",
                "<MapScores><c.mn>4<d.mn>5</d.mn></MapScores>", "<MapScores><g.mn>8</MapScores>"});
  testing::internal::CaptureStderr();
  LoadProfile();
  // "<>" ends its line's reading; an element without its closing tag scores 0,
  // and the reader then takes the next closing tag for a key, which no map
  // name may be.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": 1 map scores of unusable map names left out\n");
  EXPECT_EQ(Scores(), (ScoreRecords{{"a.mn", 1}, {"c.mn", 0}, {"g.mn", 0}}));
}

// Only a regular file of at most ProfileMaxBytes is a profile: a pipe is not
// waited on, a device is not read on for ever, and neither they nor a larger
// file are written over; each is named on standard error.
TEST_F(ProfileTest, OnlyARegularFileWithinItsSizeIsReadOrWrittenOver) {
  std::string line = "<HighScore>5</HighScore>";
  line = ScrambleText(line.data()) + std::string("\n");
  const std::string notRegular = "not a regular file";
  const struct {
    const char* what;
    std::string loadRefusal, saveRefusal;
    mode_t kind;  // what stays in the profile's place
  } cases[] = {
      {"a pipe", notRegular + ", not read", path + ": " + notRegular, S_IFIFO},
      {"a link to a device", notRegular + ", not read", "/dev/null: " + notRegular, S_IFLNK},
      {"a larger file", "larger than " + std::to_string(ProfileMaxBytes) + " bytes, not read",
       path + ": too large to be read", S_IFREG},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(path);
    std::unique_ptr<PipeWithWriter> pipe;
    if (c.kind == S_IFIFO) pipe = std::make_unique<PipeWithWriter>(path, line);
    if (c.kind == S_IFLNK) std::filesystem::create_symlink("/dev/null", path);
    if (c.kind == S_IFREG) {
      WriteWholeFile(path, line);
      std::filesystem::resize_file(path, ProfileMaxBytes + 1);
    }
    Reset();
    testing::internal::CaptureStderr();
    LoadProfile();
    const i32 loaded = HighScore;
    HighScore = 9;
    SaveProfile();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "profile " + path + ": " + c.loadRefusal + "\nprofile " + c.saveRefusal + ", not written over\n")
        << c.what;
    EXPECT_EQ(loaded, 0) << c.what;
    struct stat left {};
    lstat(path.c_str(), &left);
    EXPECT_EQ(left.st_mode & S_IFMT, c.kind) << c.what;
    EXPECT_EQ(Entries(), TextLines{"profile.mnd"}) << c.what;
  }
  EXPECT_EQ(std::filesystem::file_size(path), ProfileMaxBytes + 1);
}

// A profile linked from elsewhere is saved through its links: the links
// stay, and the file they lead to takes the new profile with its own
// permission bits, or is made when it is not there yet.
TEST_F(ProfileTest, ALinkedProfileIsSavedThroughItsLinks) {
  namespace fs = std::filesystem;
  const fs::path home = folder.path / "home", stored = home / "profile.mnd";
  const struct {
    const char* what;
    std::vector<std::pair<fs::path, fs::path>> links;  // link, what it names
    bool storedBefore;
  } cases[] = {
      {"a relative link", {{path, "home/profile.mnd"}}, true},
      {"a link to a link", {{path, folder.path / "middle.mnd"}, {folder.path / "middle.mnd", stored}}, true},
      {"a link to no file yet", {{path, "home/profile.mnd"}}, false},
  };
  for (const auto& c : cases) {
    fs::remove_all(home);
    fs::remove(path);
    fs::remove(folder.path / "middle.mnd");
    fs::create_directory(home);
    if (c.storedBefore) {
      WriteWholeFile(stored.string(), "");
      chmod(stored.c_str(), 0604);
    }
    for (const auto& [link, target] : c.links) fs::create_symlink(target, link);
    Reset();
    HighScore = 31;
    SaveProfile();
    Reset();
    LoadProfile();
    EXPECT_EQ(HighScore, 31) << c.what;
    EXPECT_TRUE(fs::is_symlink(path)) << c.what;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(stored))) << c.what;
    struct stat made {};
    stat(stored.c_str(), &made);
    EXPECT_EQ(made.st_mode & 07777, c.storedBefore ? 0604u : ProfileModeOfNewFile()) << c.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(home), fs::directory_iterator()), 1) << c.what;
  }
}

}  // namespace

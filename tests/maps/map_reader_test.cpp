// The map reader: what each record makes, in what order, and what it does
// with lines and values that are missing, malformed or too long. Maps are
// written by the test into a folder laid out as the game's, with its models.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "files/map_models.h"
#include "files/map_reader.h"
#include "files/scrambling.h"
#include "platform/d3d9/recording_device.h"
#include "platform/dxut/timer.h"
#include "render/model_size.h"
#include "tests/files/pipe_writer.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace {

namespace fs = std::filesystem;

class MapReader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    source_ = fs::current_path();
    folder_ = fs::path(::testing::TempDir()) / ("maps_" + std::to_string(::getpid()));
    fs::create_directories(folder_ / "res" / "maps");
    fs::copy(source_ / "res" / "images", folder_ / "res" / "images",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }
  void SetUp() override {
    fs::current_path(folder_);
    DXUTGetGlobalTimer()->Stop();
    DXUTGetGlobalTimer()->SetTime(12.5);
  }
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    DataInconsistent = 0;
    device->Release();
    fs::current_path(source_);
  }

  // Writes the plain lines scrambled, as the game's maps are stored; a
  // carriage return before a newline is part of the line end and stays.
  static void WriteMap(const std::string& name, const std::string& plain) {
    std::string stored, line;
    for (char c : plain) {
      if (c != '\n') {
        line += c;
        continue;
      }
      const bool crlf = !line.empty() && line.back() == '\r';
      if (crlf) line.pop_back();
      stored += ScrambleText(line.data()) + std::string(crlf ? "\r\n" : "\n");
      line.clear();
    }
    stored += ScrambleText(line.data());
    WriteWholeMap(name, stored);
  }
  static void WriteWholeMap(const std::string& name, const std::string& stored) {
    std::ofstream(folder_ / "res" / "maps" / name, std::ios::binary) << stored;
  }
  void Load(const char* name) { LoadLevelMap(device, name); }
  // The objects after the three that every level starts with.
  GameObject* Record(int n) const {
    GameObject* o = CurrentScene->firstObject;
    for (int i = 0; i < 3 + n && o; ++i) o = o->next;
    return o;
  }
  int CountObjects() const {
    int n = 0;
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) ++n;
    return n;
  }

  RecordingDevice* device = new RecordingDevice;
  static inline fs::path source_, folder_;
};

const char kEveryRecord[] =
    "<TYPE>PLANE</TYPE><FILE>map1</FILE><NEXT>map2</NEXT><LENGTH>10</LENGTH><WIDTH>10</WIDTH>\n"
    "<TYPE>BALL</TYPE><NAME>Orbel</NAME><POSX>1</POSX><POSY>0</POSY><POSZ>-2</POSZ>\n"
    "<TYPE>SPIKE</TYPE><NAME>Thorn</NAME><DIRECTION>Z</DIRECTION><LENGTH>0.8</LENGTH>\n"
    "<TYPE>LIGHT</TYPE><NAME>SPOT</NAME><FOLLOW>Orbel</FOLLOW><POSY>6</POSY>\n"
    "<TYPE>LIGHT</TYPE><NAME>POINT</NAME><FOLLOW>Thorn</FOLLOW>\n"
    "<TYPE>LIGHT</TYPE><NAME>spot</NAME>\n"
    "<TYPE>GOAL</TYPE><NAME>goal</NAME><POSX>3</POSX><LENGTH>1</LENGTH><WIDTH>1</WIDTH><HEIGHT>0.2</HEIGHT>\n"
    "<TYPE>DOOR</TYPE><NAME>gatedoor</NAME><DIRECTION>x</DIRECTION><LENGTH>2</LENGTH><WIDTH>1</WIDTH>\n"
    "<TYPE>DOOR</TYPE><NAME>reddoor</NAME><DIRECTION>Z</DIRECTION>\n"
    "<TYPE>DOOR</TYPE><NAME>plaindoor</NAME>\n"
    "<TYPE>TRIGGER</TYPE><TARGET>gatedoor</TARGET><MODE>S</MODE>\n"
    "<TYPE>TRIGGER</TYPE><TARGET>reddoor</TARGET><MODE>s</MODE>\n"
    "<TYPE>TRIGGER</TYPE><TARGET>reddoor</TARGET><MODE>SS</MODE>\n"
    "<TYPE>WARP</TYPE><NAME>warpA</NAME><TARGET>warpB</TARGET><DIRECTION>z</DIRECTION>\n"
    "<TYPE>BLOCK</TYPE><LENGTH>10</LENGTH><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT>\n"
    "<TYPE>ball</TYPE><NAME>lower</NAME>\n"
    "<TYPE>Ball</TYPE><NAME>mixed</NAME>\n"
    "<NAME>no type</NAME>\n"
    "\n";

TEST_F(MapReader, EveryRecordMakesItsObjectsInFileOrderWithTheirModels) {
  WriteMap("every.mn", kEveryRecord);
  Load("every.mn");
  ASSERT_NE(CurrentScene, nullptr);
  ASSERT_EQ(CountObjects(), 3 + 16);  // other letter cases and a missing TYPE make nothing
  GameObject* o = CurrentScene->firstObject;
  EXPECT_STREQ(o->type, "skybox");
  EXPECT_STREQ(o->next->type, "quit");
  EXPECT_STREQ(o->next->next->type, "title");
  EXPECT_STREQ(Record(0)->type, "map");
  EXPECT_STREQ(CurrentScene->nextMapName, "map2.mn");
  EXPECT_STREQ(CurrentScene->currentMapName, "every.mn");
  EXPECT_EQ(DataInconsistent, 1);  // FILE names map1, the file is every.mn

  EXPECT_STREQ(Record(1)->name, "Orbel");
  EXPECT_EQ(Record(1)->shown, 1);
  EXPECT_STREQ(Record(2)->name, "Orbel_");  // the broken twin, hidden
  EXPECT_EQ(Record(2)->shown, 0);
  EXPECT_EQ(Record(3)->direction, DirectionPlusZ);
  EXPECT_EQ(Record(4)->lightKind, SpotLight);
  EXPECT_STREQ(Record(4)->followName, "Orbel");
  EXPECT_EQ(Record(5)->lightKind, PointLight);
  EXPECT_EQ(Record(6)->lightKind, NoLight);
  EXPECT_STREQ(Record(7)->type, "goal");
  EXPECT_STREQ(Record(8)->type, "gatedoor");
  EXPECT_EQ(Record(8)->direction, DirectionMinusX);
  EXPECT_EQ(Record(9)->direction, DirectionPlusZ);
  EXPECT_EQ(Record(10)->direction, NoDirection);
  EXPECT_EQ(Record(11)->mode, 1);
  EXPECT_STREQ(Record(11)->target, "gatedoor");
  EXPECT_EQ(Record(12)->mode, 0);
  EXPECT_EQ(Record(13)->mode, 0);
  EXPECT_EQ(CurrentScene->hasGroupTriggers, 1);
  EXPECT_STREQ(Record(14)->target, "warpB");
  EXPECT_EQ(Record(14)->direction, DirectionMinusZ);
  EXPECT_STREQ(Record(15)->type, "wall");
  for (GameObject* m = CurrentScene->firstObject; m; m = m->next)
    EXPECT_EQ(m->meshLoaded, m->TypeIs("LIGHT") || m->TypeIs("wall") ? 0 : 1) << m->type << " " << m->name;
}

// A file without a single record is no level: it keeps the current one, as
// a missing file does, and says so.
TEST_F(MapReader, AMissingOrRecordlessMapKeepsTheCurrentLevel) {
  WriteMap("one.mn", "<TYPE>BLOCK</TYPE>\n");
  Load("one.mn");
  DataInconsistent = 1;
  Scene* scene = CurrentScene;
  LevelClock* clock = CurrentLevelClock;
  WriteMap("empty.mn", "");
  WriteMap("blank.mn", "\n\n<TYPE>ball</TYPE><NAME>x</NAME>\n<TYPE>PLANE\n" + std::string(600, 'x') + "\n");
  for (const std::string& name : {std::string("empty.mn"), std::string("blank.mn")}) {
    ::testing::internal::CaptureStderr();
    Load(name.c_str());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("res/maps/" + name + ": no records"), std::string::npos);
  }
  for (const std::string& name : {std::string("nowhere.mn"), std::string(), std::string("."), std::string(41, 'a')})
    Load(name.c_str());  // a folder opens but is no map; a name too long to be one
  EXPECT_EQ(CurrentScene, scene);
  EXPECT_EQ(CurrentLevelClock, clock);
  EXPECT_EQ(CountObjects(), 3 + 1);
  EXPECT_EQ(DataInconsistent, 1);
}

// Only a regular file of at most MapFileMaxBytes is a map: a pipe is not
// waited on, a device is not read on for ever, and each refusal is named.
TEST_F(MapReader, OnlyARegularFileWithinItsSizeIsRead) {
  std::string wall = "<TYPE>BLOCK</TYPE>";
  wall = ScrambleText(wall.data()) + std::string("\n");
  const fs::path maps = folder_ / "res" / "maps";
  WriteWholeMap("fits.mn", wall + std::string(MapFileMaxBytes - wall.size(), '\n'));
  Load("fits.mn");
  ASSERT_NE(CurrentScene, nullptr);
  EXPECT_EQ(CountObjects(), 3 + 1);
  const Scene* scene = CurrentScene;

  const std::string notRegular = "not a regular file, not read";
  const struct {
    const char* name;
    std::string refusal;
  } cases[] = {
      {"pipe.mn", notRegular},
      {"device.mn", notRegular},
      {"larger.mn", "larger than " + std::to_string(MapFileMaxBytes) + " bytes, not read"},
  };
  PipeWithWriter pipe((maps / "pipe.mn").string(), wall);
  fs::create_symlink("/dev/null", maps / "device.mn");
  WriteWholeMap("larger.mn", wall + std::string(MapFileMaxBytes + 1 - wall.size(), '\n'));
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    Load(c.name);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "map res/maps/" + std::string(c.name) + ": " + c.refusal + "\n");
    EXPECT_EQ(CurrentScene, scene) << c.name;
  }
}

TEST_F(MapReader, ALineOfFiveHundredCharactersIsSkippedAndNamed) {
  auto wall = [](size_t length) {
    const std::string line = "<TYPE>BLOCK</TYPE>";
    return line + std::string(length - line.size(), ' ') + "\n";
  };
  ::testing::internal::CaptureStderr();
  WriteMap("long.mn", wall(499) + wall(499) + wall(500) + wall(40) + wall(5000) + wall(20));
  Load("long.mn");
  EXPECT_EQ(CountObjects(), 3 + 4);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "res/maps/long.mn line 3: 500 characters or more, skipped\n"
            "res/maps/long.mn line 5: 500 characters or more, skipped\n");
  WriteMap("crlf.mn", "<TYPE>BLOCK</TYPE>" + std::string(481, ' ') + "\r\n<TYPE>BLOCK</TYPE>");
  Load("crlf.mn");
  EXPECT_EQ(CountObjects(), 3 + 2);  // the carriage return is the line's end
}

// Past the bounds records are left out, counted once on standard error; a
// camera adds no object and is never left out.
TEST_F(MapReader, RecordsPastTheBoundsAreLeftOutAndCounted) {
  std::string map;
  for (int i = 0; i < MapMovingPieceLimit; ++i) map += i % 2 ? "<TYPE>BALL</TYPE><NAME>b</NAME>\n" : "<TYPE>SPIKE</TYPE>\n";
  map += "<TYPE>BALL</TYPE><NAME>late</NAME>\n<TYPE>SPIKE</TYPE>\n";
  for (int i = 0; i < MapObjectLimit; ++i) map += "<TYPE>BLOCK</TYPE>\n";
  map += "<TYPE>CAMERA</TYPE><POSX>4</POSX>\n";
  WriteMap("crowded.mn", map);
  ::testing::internal::CaptureStderr();
  Load("crowded.mn");
  const int pieceObjects = MapMovingPieceLimit * 3 / 2;
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "res/maps/crowded.mn: 2 BALL and SPIKE records left out; a map holds at most " +
                std::to_string(MapMovingPieceLimit) + "\nres/maps/crowded.mn: " +
                std::to_string(3 + pieceObjects) + " records left out; a map holds at most " +
                std::to_string(MapObjectLimit) + " objects\n");
  EXPECT_EQ(CountObjects(), MapObjectLimit);
  EXPECT_EQ(CurrentScene->FindByName("late"), nullptr);
  EXPECT_FLOAT_EQ(CurrentScene->cameraPosition.x, 4.0f);
}

// A map's models together hold at most MapModelByteLimit: copies of the sky
// past it are left out, and counted, and a copy known not to fit is not
// loaded again. The game's own maps hold less than a third of it.
TEST_F(MapReader, AMapsModelsStayWithinTheirBound) {
  auto modelBytes = [this](int* goals) {
    std::size_t bytes = 0;
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
      if (!o->meshLoaded) continue;
      bytes += ModelBytes(o->frameRoot);
      if (goals) *goals += o->TypeIs("goal");
    }
    return bytes;
  };
  std::string skies;
  for (int i = 0; i < 100; ++i) skies += "<TYPE>GOAL</TYPE><NAME>skybox</NAME>\n";
  WriteMap("skies.mn", skies);
  ::testing::internal::CaptureStderr();
  Load("skies.mn");
  const std::string said = ::testing::internal::GetCapturedStderr();
  int goals = 0;
  const std::size_t bytes = modelBytes(&goals);
  const GameObject* sky = CurrentScene->firstObject;
  EXPECT_LE(bytes, MapModelByteLimit);
  EXPECT_GT(bytes + ModelBytes(sky->frameRoot), MapModelByteLimit);
  EXPECT_EQ(said, "res/maps/skies.mn: " + std::to_string(100 - goals) + " models left out; a map's models hold at most " +
                      std::to_string(MapModelByteLimit >> 20) + " MB\n");
  // The sky's size is known from the sky itself: a goal that would not fit
  // is not loaded at all.
  D3DSURFACE_DESC skyTexture{};
  static_cast<ModelPiece*>(sky->frameRoot->pMeshContainer)->Textures[0]->GetLevelDesc(0, &skyTexture);
  int skyLoads = 0;
  for (const RecordedCall& call : device->CallsOf("CreateTexture"))
    skyLoads += call.args[0] == skyTexture.Width && call.args[1] == skyTexture.Height;
  EXPECT_EQ(skyLoads, 1 + goals);

  for (const auto& shipped : fs::directory_iterator(source_ / "res" / "maps")) {
    fs::copy_file(shipped.path(), folder_ / "res" / "maps" / shipped.path().filename(),
                  fs::copy_options::overwrite_existing);
    Load(shipped.path().filename().c_str());
    EXPECT_LT(modelBytes(nullptr), MapModelByteLimit / 3) << shipped.path().filename();
  }
}

TEST_F(MapReader, CameraAndNumbersReadLikeAtofAndStayFinite) {
  WriteMap("numbers.mn",
           "<TYPE>CAMERA</TYPE><POSX>1</POSX><POSY>2</POSY><POSZ>3</POSZ>\n"
           "<TYPE>BLOCK</TYPE><POSX>12abc</POSX><POSY></POSY><POSZ>-3.25</POSZ><LENGTH>1e999</LENGTH>"
           "<WIDTH>-1e60</WIDTH><HEIGHT>nan</HEIGHT>\n");
  Load("numbers.mn");
  EXPECT_FLOAT_EQ(CurrentScene->cameraPosition.x, 1.0f);
  EXPECT_FLOAT_EQ(CurrentScene->cameraPosition.z, 3.0f);
  EXPECT_FLOAT_EQ(CurrentScene->FindByType("title")->position.x, -2.0f);
  GameObject* wall = Record(0);
  EXPECT_FLOAT_EQ(wall->position.x, 12.0f);
  EXPECT_FLOAT_EQ(wall->position.z, -3.25f);
  EXPECT_EQ(wall->length, FLT_MAX);
  EXPECT_EQ(wall->width, -FLT_MAX);
  EXPECT_EQ(wall->height, 0.0f);
}

TEST_F(MapReader, ThePlaneRecordChecksTheMapsOwnNameAndTheNextMayBeTheCurrent) {
  auto plane = [](const std::string& file, const std::string& next) {
    return "<TYPE>PLANE</TYPE><FILE>" + file + "</FILE><NEXT>" + next + "</NEXT>\n";
  };
  for (const char* other : {"map2", "map1.mn", ""}) {
    WriteMap("map1.mn", plane(other, "map2"));
    Load("map1.mn");
    EXPECT_EQ(DataInconsistent, 1) << other;
  }
  // A later consistent record clears the notice again.
  WriteMap("map1.mn", plane("map1", "map2") + plane("map9", "map3") + plane("map1", "map1"));
  Load("map1.mn");
  EXPECT_EQ(DataInconsistent, 0);
  EXPECT_STREQ(CurrentScene->nextMapName, "map1.mn");
  // The name passed in belongs to the scene being replaced.
  LoadLevelMap(device, CurrentScene->nextMapName);
  EXPECT_STREQ(CurrentScene->currentMapName, "map1.mn");
}

// Values longer than their fields: names are cut to fit, so that a warp can
// always hold the name of the piece that entered it; a NEXT that would make
// an unopenable name is refused; model names too long to load load nothing.
TEST_F(MapReader, OverlongValuesAreCutOrRefused) {
  const std::string longName(200, 'n'), hugeName(440, 'h');
  WriteMap("long.mn",
           "<TYPE>BALL</TYPE><NAME>" + longName + "</NAME>\n"
           "<TYPE>SPIKE</TYPE><NAME>" + longName + "</NAME>\n"
           "<TYPE>LIGHT</TYPE><NAME>SPOT</NAME><FOLLOW>" + longName + "</FOLLOW>\n"
           "<TYPE>GOAL</TYPE><NAME>" + hugeName + "</NAME>\n"
           "<TYPE>DOOR</TYPE><NAME>door" + hugeName + "</NAME>\n"
           "<TYPE>TRIGGER</TYPE><TARGET>" + hugeName + "</TARGET>\n"
           "<TYPE>PLANE</TYPE><FILE>" + std::string(300, 'f') + "</FILE><NEXT>" + std::string(38, 'x') +
           "</NEXT>\n");
  Load("long.mn");
  EXPECT_EQ(std::strlen(Record(0)->name), 63u);
  EXPECT_EQ(std::string(Record(1)->name), std::string(63, 'n') + "_");
  EXPECT_EQ(std::strlen(Record(2)->name), 63u);
  EXPECT_EQ(std::strlen(Record(3)->followName), 31u);
  EXPECT_EQ(Record(4)->meshLoaded, 0);
  EXPECT_EQ(std::strlen(Record(5)->type), 259u);
  EXPECT_TRUE(Record(5)->TypeContains("door"));
  EXPECT_EQ(std::strlen(Record(6)->target), 259u);
  EXPECT_EQ(Record(7)->meshLoaded, 0);
  EXPECT_STREQ(CurrentScene->nextMapName, "");

  WriteMap("edge.mn", "<TYPE>PLANE</TYPE><FILE>edge</FILE><NEXT>" + std::string(37, 'x') + "</NEXT>\n");
  Load("edge.mn");
  EXPECT_EQ(std::string(CurrentScene->nextMapName), std::string(37, 'x') + ".mn");
}

}  // namespace

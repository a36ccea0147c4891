// The map reader: what each record makes, in what order, and what it does
// with lines and values that are missing, malformed or too long.
#include <cfloat>
#include <cstring>
#include <string>

#include "tests/maps/map_fixture.h"
#include "world/tilt.h"

namespace {

using MapReader = MapTest;

const char kEveryRecord[] =
    "<TYPE>PLANE</TYPE><FILE>every</FILE><NEXT>map2</NEXT><POSX>-5</POSX><POSZ>5</POSZ>"
    "<LENGTH>10</LENGTH><WIDTH>10</WIDTH>\n"
    "<TYPE>BALL</TYPE><NAME>Orbel</NAME><POSX>1</POSX><POSY>0</POSY><POSZ>-2</POSZ>\n"
    "<TYPE>SPIKE</TYPE><NAME>Thorn</NAME><DIRECTION>Z</DIRECTION><POSX>2</POSX><LENGTH>0.8</LENGTH>"
    "<WIDTH>0.8</WIDTH><HEIGHT>0.8</HEIGHT>\n"
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
    "<TYPE>BLOCK</TYPE><POSX>-5</POSX><POSZ>5</POSZ><LENGTH>10</LENGTH><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT>\n"
    "<TYPE>ball</TYPE><NAME>lower</NAME>\n"
    "<TYPE>Ball</TYPE><NAME>mixed</NAME>\n"
    "<NAME>no type</NAME>\n"
    "\n";

TEST_F(MapReader, EveryRecordMakesItsObjectsInFileOrder) {
  WriteMap("every.mn", kEveryRecord);
  Load("every.mn");
  ASSERT_NE(CurrentScene, nullptr);
  EXPECT_EQ(CountObjects(), 3 + 16);

  GameObject* o = CurrentScene->firstObject;
  EXPECT_STREQ(o->type, "skybox");
  EXPECT_STREQ(o->next->type, "quit");
  EXPECT_EQ(o->next->shown, 0);
  EXPECT_STREQ(o->next->next->type, "title");
  EXPECT_EQ(o->next->next->shown, 0);

  GameObject* board = Record(0);
  EXPECT_STREQ(board->type, "map");
  EXPECT_STREQ(CurrentScene->nextMapName, "map2.mn");
  EXPECT_STREQ(CurrentScene->currentMapName, "every.mn");
  EXPECT_EQ(DataInconsistent, 0);

  GameObject* ball = Record(1);
  GameObject* twin = Record(2);
  EXPECT_STREQ(ball->type, "ball");
  EXPECT_STREQ(ball->name, "Orbel");
  EXPECT_EQ(ball->shown, 1);
  EXPECT_FLOAT_EQ(ball->length, 0.8f);
  EXPECT_FLOAT_EQ(ball->height, 1.0f);
  EXPECT_FLOAT_EQ(ball->position.z, -2.0f);
  EXPECT_STREQ(twin->type, "ball");
  EXPECT_STREQ(twin->name, "Orbel_");
  EXPECT_EQ(twin->shown, 0);

  GameObject* spike = Record(3);
  EXPECT_STREQ(spike->name, "Thorn");
  EXPECT_EQ(spike->direction, DirectionPlusZ);
  EXPECT_FLOAT_EQ(spike->spin.y, 1.5707964f);

  EXPECT_EQ(Record(4)->lightKind, SpotLight);
  EXPECT_STREQ(Record(4)->followName, "Orbel");
  EXPECT_EQ(Record(5)->lightKind, PointLight);
  EXPECT_STREQ(Record(5)->followName, "Thorn");
  EXPECT_EQ(Record(6)->lightKind, NoLight);
  EXPECT_STREQ(Record(7)->type, "goal");
  EXPECT_STREQ(Record(7)->name, "");

  GameObject* gate = Record(8);
  EXPECT_STREQ(gate->type, "gatedoor");
  EXPECT_EQ(gate->direction, DirectionMinusX);
  EXPECT_EQ(gate->mode, 0);
  EXPECT_EQ(gate->moving, 0);
  EXPECT_EQ(Record(9)->direction, DirectionPlusZ);
  EXPECT_EQ(Record(10)->direction, NoDirection);

  EXPECT_EQ(Record(11)->mode, 1);
  EXPECT_STREQ(Record(11)->target, "gatedoor");
  EXPECT_EQ(Record(12)->mode, 0);
  EXPECT_EQ(Record(13)->mode, 0);
  EXPECT_EQ(CurrentScene->hasGroupTriggers, 1);

  GameObject* warp = Record(14);
  EXPECT_STREQ(warp->type, "warpA");
  EXPECT_STREQ(warp->target, "warpB");
  EXPECT_EQ(warp->direction, DirectionMinusZ);
  EXPECT_STREQ(Record(15)->type, "wall");
  EXPECT_EQ(Record(16), nullptr);  // other letter cases and a missing TYPE make nothing
}

TEST_F(MapReader, ModelsLoadForEveryObjectThatHasOne) {
  WriteMap("every.mn", std::string(kEveryRecord).replace(std::strlen("<TYPE>PLANE</TYPE><FILE>"), 5, "map1"));
  Load("every.mn");
  for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
    const bool hasModel = !o->TypeIs("LIGHT") && !o->TypeIs("wall");
    EXPECT_EQ(o->meshLoaded, hasModel ? 1 : 0) << o->type << " " << o->name;
  }
  // The model choice follows the door's direction: door2.x is laid along x.
  EXPECT_NE(Record(8)->frameRoot, nullptr);
  EXPECT_EQ(DataInconsistent, 1);  // FILE names map1, the file is every.mn
}

TEST_F(MapReader, AMissingMapChangesNothing) {
  WriteMap("every.mn", kEveryRecord);
  Load("every.mn");
  Scene* scene = CurrentScene;
  LevelClock* clock = CurrentLevelClock;
  DataInconsistent = 1;
  Load("nowhere.mn");
  Load("");
  Load(".");  // a folder opens but is no map
  Load(std::string(41, 'a').c_str());
  EXPECT_EQ(CurrentScene, scene);
  EXPECT_EQ(CurrentLevelClock, clock);
  EXPECT_EQ(DataInconsistent, 1);
}

TEST_F(MapReader, AnEmptyMapHoldsOnlyTheFixedObjects) {
  WriteMap("empty.mn", "");
  DataInconsistent = 1;
  Load("empty.mn");
  ASSERT_NE(CurrentScene, nullptr);
  EXPECT_EQ(CountObjects(), 3);
  EXPECT_EQ(DataInconsistent, 1);
  EXPECT_EQ(CurrentLevelClock->secondsLeft, LevelTimeLimit);
}

TEST_F(MapReader, ReadingStopsAtALineOfFiveHundredCharacters) {
  auto wall = [](size_t length) {
    std::string line = "<TYPE>BLOCK</TYPE>";
    return line + std::string(length - line.size(), ' ') + "\n";
  };
  WriteMap("long.mn", wall(499) + wall(499) + wall(500) + wall(40));
  Load("long.mn");
  EXPECT_EQ(CountObjects(), 3 + 2);

  WriteMap("crlf.mn", "<TYPE>BLOCK</TYPE>" + std::string(481, ' ') + "\r\n<TYPE>BLOCK</TYPE>");
  Load("crlf.mn");
  EXPECT_EQ(CountObjects(), 3 + 2);  // the carriage return is the line's end; the last line has no newline

  WriteMap("huge.mn", "<TYPE>BLOCK</TYPE>\n" + std::string(100000, 'x') + "\n<TYPE>BLOCK</TYPE>\n");
  Load("huge.mn");
  EXPECT_EQ(CountObjects(), 3 + 1);
}

TEST_F(MapReader, CameraRecordPlacesTheCameraAndTheTitle) {
  WriteMap("camera.mn", "<TYPE>CAMERA</TYPE><POSX>1</POSX><POSY>2</POSY><POSZ>3</POSZ>\n");
  Load("camera.mn");
  EXPECT_FLOAT_EQ(CurrentScene->cameraPosition.x, 1.0f);
  EXPECT_FLOAT_EQ(CurrentScene->cameraPosition.z, 3.0f);
  GameObject* title = CurrentScene->FindByType("title");
  EXPECT_FLOAT_EQ(title->position.x, -2.0f);
  EXPECT_FLOAT_EQ(title->position.y, 0.25f);
  EXPECT_FLOAT_EQ(title->position.z, 0.0f);
}

TEST_F(MapReader, NumbersReadLikeAtofAndStayFinite) {
  WriteMap("numbers.mn",
           "<TYPE>BLOCK</TYPE><POSX>12abc</POSX><POSY></POSY><POSZ>-3.25</POSZ><LENGTH>1e999</LENGTH>"
           "<WIDTH>-1e60</WIDTH><HEIGHT>nan</HEIGHT>\n");
  Load("numbers.mn");
  GameObject* wall = Record(0);
  EXPECT_FLOAT_EQ(wall->position.x, 12.0f);
  EXPECT_FLOAT_EQ(wall->position.y, 0.0f);
  EXPECT_FLOAT_EQ(wall->position.z, -3.25f);
  EXPECT_EQ(wall->length, FLT_MAX);
  EXPECT_EQ(wall->width, -FLT_MAX);
  EXPECT_EQ(wall->height, 0.0f);
}

TEST_F(MapReader, ThePlaneRecordChecksTheMapsOwnName) {
  auto plane = [](const std::string& file, const std::string& next) {
    return "<TYPE>PLANE</TYPE><FILE>" + file + "</FILE><NEXT>" + next + "</NEXT>\n";
  };
  WriteMap("map1.mn", plane("map1", "FINISH"));
  Load("map1.mn");
  EXPECT_EQ(DataInconsistent, 0);
  EXPECT_STREQ(CurrentScene->nextMapName, "FINISH.mn");
  for (const char* other : {"map2", "map1.mn", ""}) {
    WriteMap("map1.mn", plane(other, "map2"));
    Load("map1.mn");
    EXPECT_EQ(DataInconsistent, 1) << other;
  }
  // A later consistent map clears the notice again.
  WriteMap("map1.mn", plane("map1", "map2") + plane("map9", "map3") + plane("map1", "map4"));
  Load("map1.mn");
  EXPECT_EQ(DataInconsistent, 0);
  EXPECT_STREQ(CurrentScene->nextMapName, "map4.mn");
}

TEST_F(MapReader, TheNameMayBeTheCurrentScenesOwn) {
  WriteMap("a.mn", "<TYPE>PLANE</TYPE><FILE>a</FILE><NEXT>b</NEXT>\n");
  WriteMap("b.mn", "<TYPE>PLANE</TYPE><FILE>b</FILE><NEXT>a</NEXT>\n");
  Load("a.mn");
  LoadLevelMap(device, CurrentScene->nextMapName);
  EXPECT_STREQ(CurrentScene->currentMapName, "b.mn");
  LoadLevelMap(device, CurrentScene->currentMapName);
  EXPECT_STREQ(CurrentScene->currentMapName, "b.mn");
}

// Values longer than their fields: names are cut to fit, so that a warp can
// always hold the name of the piece that entered it; a NEXT that would make
// an unopenable name is refused; model names too long to load load nothing.
TEST_F(MapReader, OverlongValuesAreCutOrRefused) {
  const std::string longName(200, 'n');
  const std::string hugeName(440, 'h');
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
  GameObject* door = Record(5);
  EXPECT_EQ(std::strlen(door->type), 259u);
  EXPECT_TRUE(door->TypeContains("door"));
  EXPECT_EQ(std::strlen(Record(6)->target), 259u);
  EXPECT_EQ(Record(7)->meshLoaded, 0);
  EXPECT_STREQ(CurrentScene->nextMapName, "");
  EXPECT_EQ(DataInconsistent, 1);

  WriteMap("edge.mn", "<TYPE>PLANE</TYPE><FILE>edge</FILE><NEXT>" + std::string(37, 'x') + "</NEXT>\n");
  Load("edge.mn");
  EXPECT_EQ(std::string(CurrentScene->nextMapName), std::string(37, 'x') + ".mn");
  Load(std::string(40, 'a').c_str());  // the longest name opens when it exists; this one does not
  EXPECT_STREQ(CurrentScene->currentMapName, "edge.mn");
}

TEST_F(MapReader, EveryBallDrawsOneModelOfThree) {
  std::string balls;
  for (int i = 0; i < 30; ++i) balls += "<TYPE>BALL</TYPE><NAME>b" + std::to_string(i) + "</NAME>\n";
  WriteMap("balls.mn", balls);
  Load("balls.mn");
  int loaded = 0;
  for (GameObject* o = CurrentScene->firstObject; o; o = o->next) loaded += o->meshLoaded;
  EXPECT_EQ(loaded, 3 + 60);
}

}  // namespace

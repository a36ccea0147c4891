// The frame driver: the order of the level states, the strict step and
// countdown edges, scoring, failure, the map chain and the music.
#include <cstring>

#include "platform/fmod/fmod.h"
#include "tests/game/flow_fixture.h"

namespace {

constexpr double kLoad = 100000.0;  // ms: when each built level starts

class FrameDriverTest : public FlowTest {
 protected:
  // A level as the map reader leaves it at kLoad: board, hidden title and
  // two balls, on map5 with FINISH next; the right key held.
  void BuildLevel() {
    delete CurrentScene;
    delete MapScoreList;
    MapScoreList = new struct MapScoreList;
    SetClockMs(kLoad);
    CurrentScene = new Scene;
    StartLevelClock();
    for (const char* type : {"map", "title", "ball", "ball"}) CurrentScene->AddObject(type);
    board = CurrentScene->FindByType("map");
    title = board->next;
    title->shown = 0;
    CopyText(title->next->name, "orbel");
    CopyText(title->next->next->name, "orbel2");
    CopyText(CurrentScene->currentMapName, "map5.mn");
    CopyText(CurrentScene->nextMapName, "FINISH.mn");
    TiltKeys[TiltRight] = 1;
  }
  void SetBalls(u8 shown, u8 home) {
    for (GameObject* ball = title->next; ball; ball = ball->next) ball->shown = shown, ball->arrived = home;
  }

  GameObject* board = nullptr;
  GameObject* title = nullptr;
};

TEST_F(FrameDriverTest, TheFirstStateThatHoldsRunsAlone) {
  enum Outcome { BoardLevel, TitleShown, Cleared, Failed, Stepped };
  const struct {
    u8 finished, started, tutorial, shown, home, timeUp;
    Outcome outcome;
  } cases[] = {
      {1, 1, 0, 1, 1, 1, BoardLevel}, {0, 0, 0, 1, 1, 1, TitleShown}, {0, 1, 0, 1, 1, 1, Cleared},
      {0, 0, 1, 1, 1, 0, Cleared},    {0, 1, 0, 0, 0, 0, Failed},     {0, 1, 0, 1, 0, 1, Failed},
      {0, 0, 1, 0, 0, 1, Stepped},    {0, 1, 0, 1, 0, 0, Stepped},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    BuildLevel();
    CurrentScene->finished = c.finished, GameStarted = c.started, CurrentScene->tutorial = c.tutorial;
    SetBalls(c.shown, c.home);
    TimeUp = c.timeUp;
    board->rotation = {0.1f, 0.0f, 0.1f};
    FrameAt(kLoad + 20.0);
    EXPECT_EQ(board->rotation.x == 0.0f && board->rotation.z == 0.0f, c.outcome == BoardLevel);
    EXPECT_EQ(title->shown, c.outcome == TitleShown);
    EXPECT_EQ(CurrentScene->cleared, c.outcome == Cleared);
    EXPECT_EQ(CurrentScene->failed, c.outcome == Failed);
    EXPECT_EQ(CurrentScene->lastTickTime == f32(kLoad + 20.0), c.outcome == Stepped);
  }
}

// A step needs more than 10 ms since the last and runs once a frame however
// long the wait; the countdown, tested only in stepping frames, likewise.
TEST_F(FrameDriverTest, StepsAndCountdownKeepTheirStrictEdges) {
  const struct {
    double lastTick, now;  // ms after the last second
    bool steps;
    i32 secondsLost;
  } cases[] = {{0, 10.0, false, 0},    {0, 10.5, true, 0},     {980, 1000.0, true, 0},
               {980, 1000.5, true, 1}, {995, 1004.0, false, 0}, {0, 60000.0, true, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    BuildLevel();
    GameStarted = 1;
    CurrentScene->lastTickTime = f32(kLoad + c.lastTick);
    FrameAt(kLoad + c.now);
    EXPECT_EQ(board->rotation.x, c.steps ? -TiltStep : 0.0f);
    EXPECT_EQ(CurrentLevelClock->secondsLeft, LevelTimeLimit - c.secondsLost);
  }
}

// Scored in the first frame; more than 3000 ms later the level count, the
// music and the next map, or the end of the game; a next map that will not
// open keeps the cleared level.
TEST_F(FrameDriverTest, AClearedLevelScoresOnceThenChainsAfterItsWait) {
  const struct {
    i32 secondsLeft;
    u8 retried, muted;
    i32 score, high, levels;  // before
    const char* next;
    i32 scoreAfter, highAfter;
    const char *mapAfter, *music;
  } cases[] = {
      {37, 0, 0, 0, 0, 0, "FINISH.mn", 39000, 39000, "map5.mn", "mainMusic"},
      {37, 1, 0, 5000, 1000, 1, "map2.mn", 5000, 5000, "map2.mn", "mainMusic"},
      {37, 1, 0, 5000, 9000, 2, "map2.mn", 5000, 9000, "map2.mn", "mainMusic2"},
      {10, 0, 1, 1000, 50000, 2, "map2.mn", 13000, 50000, "map2.mn", "mainMusic"},
      {10, 0, 0, 0, 0, 11, "FINISH.mn", 12000, 12000, "map5.mn", "mainMusic"},
      {10, 0, 0, 0, 0, 0, "missing.mn", 12000, 12000, "map5.mn", "mainMusic"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    BuildLevel();
    StartGame();
    SetBalls(1, 1);
    CurrentScene->retried = c.retried, MusicMuted = c.muted;
    CurrentLevelClock->secondsLeft = c.secondsLeft;
    Score = c.score, HighScore = c.high, LevelCounter = c.levels;
    CopyText(CurrentScene->nextMapName, c.next);
    CopyText(CurrentMusicName, c.levels == 11 ? "mainMusic4" : "mainMusic");
    FrameAt(kLoad + 100.7);
    EXPECT_EQ(Score, c.scoreAfter);
    EXPECT_EQ(HighScore, c.highAfter);
    EXPECT_EQ(MapScoreList->Find("map5.mn")->score, c.secondsLeft);
    EXPECT_TRUE(Playing("allCleared"));
    FrameAt(kLoad + 3100.0);
    EXPECT_EQ(LevelCounter, c.levels);
    FrameAt(kLoad + 3100.5);
    EXPECT_EQ(LevelCounter, c.levels + 1);
    EXPECT_STREQ(CurrentScene->currentMapName, c.mapAfter);
    EXPECT_STREQ(CurrentMusicName, c.music);
    EXPECT_TRUE(Playing(c.music) || c.muted);
    FrameAt(kLoad + 9000.0);  // counted once, whatever follows
    EXPECT_EQ(LevelCounter, c.levels + 1);
    const bool finished = std::strcmp(c.next, "FINISH.mn") == 0;
    EXPECT_EQ(CurrentScene->finished, finished);
    if (finished) {
      EXPECT_TRUE(title->shown && ButtonStates() == "hddhhEdEdddhh");
    }
  }
}

// The track turns over after every third level of a game, round the four
// tracks and on past the twelfth; other counts leave it playing.
TEST_F(FrameDriverTest, TheMusicTurnsOverEveryThirdLevel) {
  const struct {
    i32 levels;  // cleared before this one
    const char *before, *after;
  } cases[] = {{2, "mainMusic", "mainMusic2"},   {3, "mainMusic2", "mainMusic2"},
               {5, "mainMusic2", "mainMusic3"},  {7, "mainMusic3", "mainMusic3"},
               {8, "mainMusic3", "mainMusic4"},  {11, "mainMusic4", "mainMusic"},
               {14, "mainMusic", "mainMusic2"},  {20, "mainMusic3", "mainMusic4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.levels);
    BuildLevel();
    StartGame();
    LevelCounter = c.levels;
    CopyText(CurrentMusicName, c.before);
    FindSound(c.before)->Play(true);
    SetBalls(1, 1);
    FrameAt(kLoad + 100.7);
    FrameAt(kLoad + 3100.5);
    EXPECT_STREQ(CurrentMusicName, c.after);
    EXPECT_TRUE(Playing(c.after));
    EXPECT_EQ(Playing(c.before), !std::strcmp(c.before, c.after));
    FindSound(c.after)->Stop();
  }
}

// "objHit" once, then more than 1000 ms later the same map as retried with
// a full clock; a map that will not open keeps its Scene, marked so.
TEST_F(FrameDriverTest, AFailedLevelReloadsAsRetried) {
  for (const char* map : {"map3.mn", "missing.mn"}) {
    SCOPED_TRACE(map);
    BuildLevel();
    GameStarted = 1;
    CopyText(CurrentScene->currentMapName, map);
    CurrentLevelClock->secondsLeft = 0;
    TimeUp = 1;
    FrameAt(kLoad + 300.2);
    FrameAt(kLoad + 1300.0);
    EXPECT_TRUE(CurrentScene->failed && Playing("objHit"));
    FrameAt(kLoad + 1300.5);
    EXPECT_EQ(CurrentScene->failed, std::strcmp(map, "missing.mn") == 0);
    EXPECT_STREQ(CurrentScene->currentMapName, map);
    EXPECT_TRUE(CurrentScene->retried && CurrentLevelClock->secondsLeft == LevelTimeLimit && !TimeUp);
  }
}

// Every frame, frozen or without a level: a track at its end or at its
// start plays again from the beginning, unless muted.
TEST_F(FrameDriverTest, TheMusicUpkeepRestartsAnEndedTrack) {
  const struct {
    int at;  // 0 start, 1 middle, 2 end
    u8 muted, prompt;
    bool played;
  } cases[] = {{2, 0, 0, true}, {0, 0, 1, true}, {1, 0, 0, false}, {2, 1, 0, false}, {0, 1, 1, false}};
  FSOUND_STREAM* track = FindSound("mainMusic")->Stream;
  const unsigned length = FSOUND_Stream_GetLength(track), places[] = {0, length / 2, length};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FindSound("mainMusic")->Stop();
    FSOUND_Stream_SetPosition(track, places[c.at]);
    MusicMuted = c.muted, ExitPromptShown = c.prompt;
    FrameAt(kLoad);
    EXPECT_EQ(Playing("mainMusic"), c.played);
  }
}

}  // namespace

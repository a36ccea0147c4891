#include "platform/fmod/fmod.h"
#include "sound/sound_table.h"
#include "tests/world/world_test_support.h"
#include "world/game_step.h"

// A Scene with a level board and a sound table whose effects have no files:
// every play and stop is accepted and only Playing changes.
class GameStepTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    board = AddBoard();
    SoundTable = new SoundStream*[SoundTableSize]{};
    SoundTable[6] = new SoundStream("objHit", "missing.mp3", 6);
    SoundTable[8] = new SoundStream("enterGoal", "missing.mp3", 8);
    SoundTable[9] = new SoundStream("doorOpen", "missing.mp3", 9);
  }
  void TearDown() override {
    FreeSoundTable();
    WorldTest::TearDown();
  }
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      StepBalls();
      StepLevelObjects();
    }
  }
  GameObject* AddSpike(const char* name, i32 direction, f32 x, f32 z) {
    GameObject* spike = Add("spike", 0.5f, 0.5f, x, z, name);
    spike->direction = direction;
    return spike;
  }
  GameObject* board = nullptr;
};

// ---- rolling ----------------------------------------------------------

// Rolls are proportional to the tilt; spikes roll at half speed, only along
// their own axis, and have a smaller dead zone.
TEST_F(GameStepTest, BallsAndSpikesRollByTheTiltOutsideTheirDeadZones) {
  GameObject* ball = AddBall("b", 0, 0);
  GameObject* alongZ = AddSpike("z", DirectionPlusZ, 5, 0);
  GameObject* alongX = AddSpike("x", DirectionPlusX, 8, 0);
  GameObject* fixed = AddSpike("f", DirectionMinusZ, 11, 0);
  struct Case {
    f32 tilt, ball, spike;
  } cases[] = {{0.01f, 0, 0},           {0.015f, 0, 0.002f},     {0.02f, 0, 0.0026667f},
               {0.03f, 0.008f, 0.004f}, {0.3f, 0.08f, 0.04f},    {-0.3f, -0.08f, -0.04f}};
  for (const Case& c : cases) {
    ball->position = {0, 0, 0};
    alongZ->position = {5, 0, 0};
    alongX->position = {8, 0, 0};
    Vec3 spin = ball->spin;
    board->rotation = {c.tilt, 0, -c.tilt};  // toward +z and +x
    Tick();
    EXPECT_NEAR(ball->position.z, c.ball, 1e-6f) << c.tilt;
    EXPECT_NEAR(ball->position.x, c.ball, 1e-6f) << c.tilt;
    EXPECT_NEAR(ball->spin.x - spin.x, c.ball, 1e-6f) << c.tilt;
    EXPECT_NEAR(ball->spin.z - spin.z, -c.ball, 1e-6f) << c.tilt;
    EXPECT_NEAR(alongZ->position.z, c.spike, 1e-6f) << c.tilt;
    EXPECT_NEAR(alongX->position.x, 8.0f + c.spike, 1e-5f) << c.tilt;
    EXPECT_EQ(alongZ->position.x, 5.0f);
    EXPECT_EQ(alongX->position.z, 0.0f);
    EXPECT_EQ(fixed->position.z, 0.0f);
  }
}

TEST_F(GameStepTest, ABallBlockedAlongOneAxisStillSlidesAlongTheOther) {
  GameObject* ball = AddBall("b", 0, 0);
  AddWall(5.0f, 1.0f, -2.0f, 1.00005f);  // leaves 0.00005 of room along +z
  board->rotation = {0.3f, 0, -0.3f};    // toward +z: blocked; toward +x: free
  Tick();
  EXPECT_EQ(ball->position.z, 0.0f);
  EXPECT_EQ(ball->spin.x, 0.0f);
  EXPECT_FLOAT_EQ(ball->position.x, 0.08f);
  EXPECT_FLOAT_EQ(ball->spin.z, -0.08f);
}

TEST_F(GameStepTest, NothingStepsWithoutABoard) {
  board->type[0] = '\0';
  GameObject* ball = AddBall("b", 0, 0);
  GameObject* door = Add("door", 1, 1, 5, 5);
  door->moving = ball->hit = 1;
  ball->shown = 0;
  Tick();
  EXPECT_EQ(ball->hit, 1);
  EXPECT_EQ(door->arrived, 0);
}

// ---- goals and pops ---------------------------------------------------

TEST_F(GameStepTest, ACapturedBallSlidesHomeWithTheGoalSound) {
  GameObject* ball = AddBall("b", 0, 0);
  GameObject* goal = Add("goal", 1.0f, 1.0f, 0.0f, 0.85f);
  SoundStream* enterGoal = FindSound("enterGoal");
  board->rotation.x = 0.3f;
  Tick();  // touches the goal: captured, does not move
  EXPECT_EQ(ball->captureGoal, goal);
  EXPECT_EQ(ball->position.z, 0.0f);
  Tick();
  EXPECT_EQ(enterGoal->Playing, 1);
  for (int i = 0; i < 100 && !ball->arrived; ++i) Tick();
  EXPECT_EQ(ball->arrived, 1);
  EXPECT_EQ(enterGoal->Playing, 0);  // stopped on arrival
  EXPECT_NEAR(ball->position.z, 0.85f, 0.06f);
  Vec3 home = ball->position;
  board->rotation.z = -0.3f;
  Tick(5);  // home balls stay put
  EXPECT_EQ(ball->position.x, home.x);
}

TEST_F(GameStepTest, APoppedBallSoundsOnceAndKeepsStill) {
  GameObject* ball = AddBall("b", 0, 0);
  AddSpike("s", NoDirection, 0.0f, 1.3f);
  SoundStream* objHit = FindSound("objHit");
  board->rotation.x = 0.3f;
  for (int i = 0; i < 20 && ball->shown; ++i) Tick();
  EXPECT_EQ(ball->shown, 0);
  EXPECT_EQ(objHit->Playing, 0);
  Tick();
  EXPECT_EQ(ball->hit, 0);  // the next StepBalls took the sound
  EXPECT_EQ(objHit->Playing, 1);
  objHit->Stop();
  f32 z = ball->position.z;
  Tick(3);
  EXPECT_EQ(objHit->Playing, 0);  // once only
  EXPECT_EQ(ball->position.z, z);

  delete SoundTable[6];  // without its sound the flag is still cleared
  SoundTable[6] = nullptr;
  ball->hit = 1;
  Tick();
  EXPECT_EQ(ball->hit, 0);
}

// ---- triggers and doors -----------------------------------------------

class DoorTest : public GameStepTest {
 protected:
  void SetUp() override {
    GameStepTest::SetUp();
    door = Add("door1", 2.0f, 1.0f, 10.0f, 10.0f);
    door->direction = DirectionPlusX;
  }
  GameObject* door = nullptr;
};

// Up, down or no direction: the door flips where it is.
TEST_F(DoorTest, EveryDirectionSlidesOneExtentAwayFlipsAndSlidesBack) {
  SoundStream* doorOpen = FindSound("doorOpen");
  struct Case {
    i32 direction;
    f32 x, z;
  } cases[] = {{DirectionPlusX, 12.0f, 10.0f}, {DirectionPlusZ, 10.0f, 11.0f},
               {DirectionMinusX, 8.0f, 10.0f}, {DirectionMinusZ, 10.0f, 9.0f},
               {DirectionPlusY, 10.0f, 10.0f}, {DirectionMinusY, 10.0f, 10.0f},
               {NoDirection, 10.0f, 10.0f}};
  for (const Case& c : cases) {
    door->position = door->startPosition;
    door->direction = c.direction;
    scene().ActivateDoors("door1");
    Tick();
    EXPECT_EQ(doorOpen->Playing, !door->arrived) << c.direction;  // sounds while it slides
    for (int i = 0; i < 200 && !door->arrived; ++i) Tick();
    EXPECT_EQ(door->mode, 0) << c.direction;  // flips one tick after arriving
    Tick();
    EXPECT_EQ(door->mode, 1) << c.direction;
    EXPECT_NEAR(door->position.x, c.x, 0.04f) << c.direction;
    EXPECT_NEAR(door->position.z, c.z, 0.04f) << c.direction;

    scene().ActivateDoors("door1");
    for (int i = 0; i < 200 && (door->moving || door->arrived); ++i) Tick();
    EXPECT_EQ(door->mode, 0) << c.direction;
    EXPECT_NEAR(door->position.x, 10.0f, 0.04f) << c.direction;
    EXPECT_NEAR(door->position.z, 10.0f, 0.04f) << c.direction;
  }
}

// All group triggers pressed by balls in one tick open the doors, once.
TEST_F(DoorTest, GroupTriggersFireOnlyWhenBallsPressThemAllInOneTick) {
  scene().hasGroupTriggers = 1;
  GameObject* t[2];
  for (int i = 0; i < 2; ++i) {
    t[i] = Add("trigger", 1.0f, 1.0f, 5.0f * i, 0.85f);
    t[i]->mode = 1;
    CopyText(t[i]->target, "door1");
  }
  GameObject* left = AddBall("l", 0.0f, 0.0f);
  GameObject* spike = AddSpike("s", DirectionPlusZ, 5.0f, 0.0f);  // presses in StepLevelObjects
  board->rotation.x = 0.3f;
  Tick(3);
  EXPECT_EQ(t[1]->hit, 1);
  EXPECT_EQ(door->moving, 0);  // spikes do not count

  spike->shown = 0;
  GameObject* right = AddBall("r", 5.0f, -5.0f);
  Tick();
  left->position.z = -5.0f;  // release the left, press the right
  right->position.z = 0.0f;
  Tick();
  EXPECT_EQ(door->moving, 0);

  left->position.z = 0.0f;
  Tick();
  EXPECT_EQ(door->moving, 1);
  EXPECT_EQ(scene().hasGroupTriggers, 0);
  for (int i = 0; i < 200 && door->moving; ++i) Tick();
  Tick(50);  // both still pressed: the group never fires again
  EXPECT_EQ(door->moving, 0);
  EXPECT_EQ(door->mode, 1);
}

// ---- warps ------------------------------------------------------------

class WarpTest : public GameStepTest {
 protected:
  void SetUp() override {
    GameStepTest::SetUp();
    entry = Add("warpA", 1.0f, 1.0f, 0.0f, 0.0f);
    CopyText(entry->target, "warpB");
    exit = Add("warpB", 1.0f, 1.5f, 10.0f, 10.0f);
    exit->direction = DirectionPlusX;
    ball = AddBall("b", 0.0f, 0.0f);
  }
  // The ball has entered the entry warp in an earlier tick.
  void Enter() {
    entry->hit = 1;
    CopyText(entry->enteredBallName, "b");
  }
  GameObject* entry = nullptr;
  GameObject* exit = nullptr;
  GameObject* ball = nullptr;
};

TEST_F(WarpTest, EachExitSidePutsThePieceBesideIt) {
  entry->hit = 1;  // no entered name: nothing is carried
  StepLevelObjects();
  EXPECT_EQ(board->position.x, -10.0f);
  EXPECT_EQ(exit->nextActiveTime, 0.0f);

  ball->width = 0.6f;
  struct Case {
    i32 direction;
    f32 x, z;
  } cases[] = {
      {DirectionPlusX, 10.0f + 1.0f + 0.2f, 10.0f},  {DirectionPlusZ, 10.0f, 10.0f + 1.5f + 0.2f},
      {DirectionMinusX, 10.0f - (0.8f + 0.2f), 10.0f}, {DirectionMinusZ, 10.0f, 10.0f - (0.6f + 0.2f)},
      {NoDirection, 10.0f, 10.0f},
  };
  for (const Case& c : cases) {
    exit->direction = c.direction;
    exit->nextActiveTime = 0.0f;
    exit->position.y = 0.7f;
    ball->position = {0.0f, 0.3f, 0.0f};
    Enter();
    StepLevelObjects();
    EXPECT_EQ(entry->hit, 0);
    EXPECT_FLOAT_EQ(ball->position.x, c.x) << c.direction;
    EXPECT_FLOAT_EQ(ball->position.z, c.z) << c.direction;
    EXPECT_EQ(ball->position.y, 0.0f);  // lands on the floor whatever the exit's height
    EXPECT_EQ(exit->nextActiveTime, 50000.0f + 2000.0f);
  }
}

TEST_F(WarpTest, APressedEntryWaitsForItsExitAndThePieceRestsAfterLanding) {
  exit->nextActiveTime = 50501.0f;  // more than 500 ms of cool-down left
  ball->position = {-0.85f, 0.0f, 0.0f};
  board->rotation.z = -0.3f;  // roll into the entry along +x
  Tick();
  EXPECT_EQ(ball->position.x, -0.85f);
  EXPECT_EQ(entry->hit, 0);  // fired and used up in the same tick
  EXPECT_EQ(exit->nextActiveTime, 50501.0f);
  SetNowMs(50001.0);  // exactly 500 left: the entry, still pressed, fires again
  Tick();
  EXPECT_FLOAT_EQ(ball->position.x, 11.2f);
  SetNowMs(50300.5);  // rests until 50301
  Tick();
  EXPECT_FLOAT_EQ(ball->position.x, 11.2f);
  SetNowMs(50301.0);
  Tick();
  EXPECT_FLOAT_EQ(ball->position.x, 11.28f);
}

TEST_F(WarpTest, AnExitBobsThroughItsCoolDownThenSinksBack) {
  Enter();
  StepLevelObjects();  // cool-down until 52000: it rises in the first half
  EXPECT_FLOAT_EQ(exit->position.y, 0.01f);
  SetNowMs(51500.0);  // and sinks in the second
  StepLevelObjects();
  EXPECT_NEAR(exit->position.y, 0.0f, 1e-6f);
  exit->position.y = 0.05f;
  SetNowMs(52000.0);
  for (int i = 0; i < 10; ++i) StepLevelObjects();  // then down to the floor
  EXPECT_LE(exit->position.y, 0.0f);
  EXPECT_GT(exit->position.y, -0.011f);
}

// ---- sound restarts, on a real stream -----------------------------------

TEST_F(GameStepTest, AFiringWarpRestartsTheDoorSoundASlidingDoorLetsItRunOn) {
  FSOUND_Init(44100, 32, 0);
  delete SoundTable[9];
  SoundStream* doorOpen = SoundTable[9] = new SoundStream("doorOpen", "res/sounds/door_open.mp3", 9);
  ASSERT_NE(doorOpen->Stream, nullptr);
  // Well into the sound, far more than one mixer buffer from its start.
  u32 midway = static_cast<u32>(FSOUND_Stream_GetLength(doorOpen->Stream)) / 2;
  ASSERT_GT(midway, 4096u);
  doorOpen->Play(false);
  FSOUND_Stream_SetPosition(doorOpen->Stream, midway);
  GameObject* door = Add("door1", 2, 1, 10, 10);
  door->moving = 1;
  door->direction = DirectionPlusX;
  StepLevelObjects();
  EXPECT_GE(FSOUND_Stream_GetPosition(doorOpen->Stream), midway);

  GameObject* warp = Add("warpA", 1, 1, 0, 0);
  CopyText(warp->target, "nowhere");
  warp->hit = 1;
  StepLevelObjects();
  EXPECT_EQ(doorOpen->Playing, 1);
  EXPECT_LT(FSOUND_Stream_GetPosition(doorOpen->Stream), midway / 2);
}

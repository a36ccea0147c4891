#include "tests/world/world_test_support.h"
#include "world/object_model.h"

using SceneTest = WorldTest;

TEST_F(SceneTest, ObjectsAreFoundByExactTextInOrderOfAdding) {
  GameObject* firstMap = Add("map", 1, 1, 0, 0);
  Add("map", 1, 1, 5, 0);
  GameObject* red = AddBall("red", 0, 0);
  AddBall("red", 1, 1);
  GameObject* maps = Add("maps", 1, 1, 0, 0);
  EXPECT_EQ(scene().lastAdded->index, 4u);
  EXPECT_EQ(scene().FindByType("map"), firstMap);
  EXPECT_EQ(scene().FindByType("ma"), nullptr);
  EXPECT_EQ(scene().FindByName("red"), red);
  EXPECT_EQ(scene().FindByName("Red"), nullptr);
  scene().SetShownByType("map", 0);
  EXPECT_EQ(firstMap->shown, 0);
  EXPECT_EQ(maps->shown, 1);
}

TEST_F(SceneTest, GroupTriggerTargetNeedsEveryMemberHit) {
  GameObject* t[3];
  for (GameObject*& trigger : t) {
    trigger = Add("trigger", 1, 1, 0, 0);
    trigger->mode = 1;
    trigger->hit = 1;
  }
  Add("trigger", 1, 1, 0, 0);  // a plain trigger is no member: its hit does not matter
  CopyText(t[1]->target, "door2");
  CopyText(t[2]->target, "door3");

  EXPECT_STREQ(scene().GroupTriggerTarget().text, "");  // no group triggers recorded
  scene().hasGroupTriggers = 1;
  EXPECT_STREQ(scene().GroupTriggerTarget().text, "door2");  // first non-empty target
  scene().ResetGroupTriggers();
  EXPECT_STREQ(scene().GroupTriggerTarget().text, "");
}

TEST_F(SceneTest, ActivateDoorsNeverRestartsASlidingDoor) {
  GameObject* a = Add("door1", 1, 1, 0, 0);
  GameObject* b = Add("door1", 1, 1, 2, 0);
  GameObject* other = Add("door12", 1, 1, 4, 0);
  b->position.x = 2.5f;  // mid-slide
  b->moving = 1;
  scene().ActivateDoors("door1");
  EXPECT_EQ(a->moving, 1);
  EXPECT_EQ(b->position.x, 2.5f);
  EXPECT_EQ(other->moving, 0);
}

TEST_F(SceneTest, BallQueriesCountRealShownBallsOnly) {
  EXPECT_FALSE(scene().AllBallsHome());  // no balls at all
  GameObject* a = AddBall("a", 0, 0);
  GameObject* twin = AddBall("a_", 0, 0);
  GameObject* b = AddBall("b", 2, 0);
  EXPECT_EQ(scene().CountShownBalls(), 2u);
  a->shown = 0;  // popped
  b->shown = 0;
  EXPECT_TRUE(scene().NoShownBalls());
  EXPECT_FALSE(scene().AllBallsHome());
  b->shown = 1;
  b->arrived = 1;  // one home, one popped; the shown twin never counts
  EXPECT_TRUE(scene().AllBallsHome());
  (void)twin;
}

TEST(SceneModels, DestroyingASceneFreesEveryModelThroughTheHook) {
  static int destroyed = 0;
  DestroyObjectModel = [](GameObject* o) {
    ++destroyed;
    o->frameRoot = nullptr;
    o->animationController = nullptr;
  };
  {
    Scene s;
    s.AddObject("ball");
    s.lastAdded->frameRoot = reinterpret_cast<ModelFrame*>(&s);  // any non-null
    s.AddObject("wall");  // no model: the hook is not called
    s.AddObject("goal");
    s.lastAdded->animationController = reinterpret_cast<ID3DXAnimationController*>(&s);
  }
  EXPECT_EQ(destroyed, 2);
  DestroyObjectModel = nullptr;
}

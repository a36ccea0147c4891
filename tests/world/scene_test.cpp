#include <string>

#include "tests/world/world_test_support.h"
#include "world/object_model.h"

using SceneTest = WorldTest;

TEST(Scene, NewSceneIsEmptyAndStampedWithTheClock) {
  SetNowMs(12500.0);
  Scene s;
  EXPECT_EQ(s.objectCount, 0u);
  EXPECT_EQ(s.firstObject, nullptr);
  EXPECT_EQ(s.lastTickTime, 12500.0f);
  EXPECT_EQ(s.cameraPosition.y, 25.0f);
  EXPECT_EQ(s.cameraPosition.z, -10.0f);
  EXPECT_STREQ(s.nextMapName, "");
  EXPECT_EQ(s.cleared | s.failed | s.finished | s.hasGroupTriggers | s.retried | s.tutorial, 0);
}

TEST_F(SceneTest, ObjectsAreListedInOrderOfAdding) {
  ASSERT_TRUE(scene().AddObject("skybox"));
  EXPECT_EQ(scene().firstObject, scene().lastAdded);
  EXPECT_EQ(scene().firstObject->index, 0u);
  EXPECT_EQ(scene().firstObject->length, 0.0f);
  for (int i = 1; i < 10; ++i) ASSERT_TRUE(scene().AddObjectAt("wall", 1, 1, 1, f32(i), 0, 0));
  EXPECT_EQ(scene().objectCount, 10u);
  EXPECT_EQ(scene().lastAdded->index, 9u);
  EXPECT_EQ(scene().lastAdded->next, nullptr);
  u32 expected = 0;
  for (GameObject* o = scene().firstObject; o; o = o->next) EXPECT_EQ(o->index, expected++);
  EXPECT_EQ(expected, 10u);
}

TEST_F(SceneTest, FindsTheFirstExactMatch) {
  GameObject* firstMap = Add("map", 1, 1, 0, 0);
  Add("map", 1, 1, 5, 0);
  GameObject* red = AddBall("red", 0, 0);
  AddBall("red", 1, 1);
  EXPECT_EQ(scene().FindByType("map"), firstMap);
  EXPECT_EQ(scene().FindByType("ma"), nullptr);
  EXPECT_EQ(scene().FindByType("maps"), nullptr);
  EXPECT_EQ(scene().FindByName("red"), red);
  EXPECT_EQ(scene().FindByName("Red"), nullptr);
  EXPECT_EQ(scene().FindByName("re"), nullptr);
}

TEST_F(SceneTest, SetShownByTypeTouchesOnlyThatType) {
  GameObject* title = Add("title", 1, 1, 0, 0);
  GameObject* titles = Add("titles", 1, 1, 0, 0);
  scene().SetShownByType("title", 0);
  EXPECT_EQ(title->shown, 0);
  EXPECT_EQ(titles->shown, 1);
}

TEST_F(SceneTest, GroupTriggerTarget) {
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
  t[2]->hit = 0;
  EXPECT_STREQ(scene().GroupTriggerTarget().text, "");

  t[2]->hit = 1;
  scene().ResetGroupTriggers();
  for (GameObject* trigger : t) EXPECT_EQ(trigger->hit, 0);
}

TEST_F(SceneTest, ActivateDoorsStartsEveryDoorOfThatType) {
  GameObject* a = Add("door1", 1, 1, 0, 0);
  GameObject* b = Add("door1", 1, 1, 2, 0);
  GameObject* other = Add("door12", 1, 1, 4, 0);
  b->position.x = 2.5f;  // mid-slide
  b->moving = 1;
  scene().ActivateDoors("door1");
  EXPECT_EQ(a->moving, 1);
  EXPECT_EQ(b->moving, 1);
  EXPECT_EQ(b->position.x, 2.5f);
  EXPECT_EQ(other->moving, 0);
}

TEST_F(SceneTest, BallQueriesCountRealShownBallsOnly) {
  EXPECT_FALSE(scene().AllBallsHome());
  EXPECT_TRUE(scene().NoShownBalls());

  GameObject* a = AddBall("a", 0, 0);
  GameObject* twinA = AddBall("a_", 0, 0);
  GameObject* b = AddBall("b", 2, 0);
  AddBall("b_", 2, 0)->shown = 0;
  twinA->shown = 0;
  EXPECT_EQ(scene().CountShownBalls(), 2u);
  EXPECT_FALSE(scene().AllBallsHome());

  a->shown = 0;  // popped
  b->shown = 0;
  EXPECT_TRUE(scene().NoShownBalls());
  EXPECT_FALSE(scene().AllBallsHome());

  b->shown = 1;
  b->arrived = 1;  // one home, one popped
  EXPECT_TRUE(scene().AllBallsHome());
  EXPECT_EQ(scene().CountShownBalls(), 1u);

  twinA->shown = 1;  // a shown twin never counts
  twinA->arrived = 0;
  EXPECT_TRUE(scene().AllBallsHome());
  EXPECT_EQ(scene().CountShownBalls(), 1u);
}

namespace {
int destroyedModels = 0;
void CountModelDestroy(GameObject* o) {
  ++destroyedModels;
  o->frameRoot = nullptr;
  o->animationController = nullptr;
}
}  // namespace

TEST(SceneModels, DestroyingASceneFreesEveryModelThroughTheHook) {
  destroyedModels = 0;
  DestroyObjectModel = CountModelDestroy;
  {
    Scene s;
    s.AddObject("ball");
    s.lastAdded->frameRoot = reinterpret_cast<ModelFrame*>(&s);  // any non-null
    s.AddObject("wall");  // no model: the hook is not called
    s.AddObject("goal");
    s.lastAdded->animationController = reinterpret_cast<ID3DXAnimationController*>(&s);
  }
  EXPECT_EQ(destroyedModels, 2);
  DestroyObjectModel = nullptr;
  {
    Scene s;  // without a model system nothing is called
    s.AddObject("ball");
  }
  EXPECT_EQ(destroyedModels, 2);
}

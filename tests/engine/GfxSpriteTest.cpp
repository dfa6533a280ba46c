#include "engine/GfxSprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zb {
namespace {

// Records what the engine does to it.
class Probe : public TSprite {
 public:
  Probe(TSpriteEngine& engine, std::string tag, int z, std::vector<std::string>* log = nullptr)
      : TSprite(engine), log_(log) {
    Name = std::move(tag);
    SetZ(z);
  }
  ~Probe() override {
    if (log_ != nullptr) log_->push_back("free " + Name);
  }
  void Move(float /*delta*/) override {
    if (log_ != nullptr) log_->push_back("move " + Name);
    if (spawnOnMove) Engine().Create<Probe>(Name + "+", 1000, log_);
  }
  void OnCollide(TSprite& other) override {
    if (log_ != nullptr) log_->push_back(Name + " hit " + other.Name);
  }
  bool spawnOnMove = false;

 private:
  std::vector<std::string>* log_;
};

std::vector<std::string> Order(const TSpriteEngine& engine) {
  std::vector<std::string> names;
  for (int i = 0; i < engine.Count(); ++i) names.push_back(engine.SpriteAt(i)->Name);
  return names;
}

using Names = std::vector<std::string>;

TEST(SpriteEngine, DefaultsOfANewSprite) {
  TSpriteEngine engine;
  TSprite& s = engine.Create<TSprite>();
  EXPECT_EQ(s.X, 200.0f);
  EXPECT_EQ(s.Y, 200.0f);
  EXPECT_EQ(s.Z(), 0);
  EXPECT_EQ(s.DrawEffect, 1284);
  EXPECT_TRUE(s.Visible);
  EXPECT_TRUE(s.CenterScale);
  EXPECT_EQ(s.PackedColor(), 0xFFFFFFFFu);
  EXPECT_EQ(s.ClipBounds, (TSpriteRect{-100, -100, 4400, 3300}));
  EXPECT_EQ(s.QuadPoints[2], (TSpritePoint{10, 10}));
  EXPECT_EQ(s.ImageNameMode, 1);
  EXPECT_FALSE(s.Collidable);
  s.SetRed(0x11);
  s.SetGreen(0x22);
  s.SetBlue(0x33);
  s.SetAlpha(0x44);
  EXPECT_EQ(s.PackedColor(), 0x44332211u);
  EXPECT_EQ(engine.SpriteAt(-1), nullptr);
  EXPECT_EQ(engine.SpriteAt(1), nullptr);
}

TEST(SpriteEngine, NewSpritesGoInFrontOfEqualDepths) {
  TSpriteEngine engine;
  engine.Create<Probe>("a", 5);
  engine.Create<Probe>("b", 1);
  engine.Create<Probe>("c", 5);
  engine.Create<Probe>("d", 0);
  engine.Create<Probe>("e", 5);
  EXPECT_EQ(Order(engine), (Names{"d", "b", "e", "c", "a"}));
}

TEST(SpriteEngine, SetZReinsertsOnlyOnAChange) {
  TSpriteEngine engine;
  Probe& a = engine.Create<Probe>("a", 0);
  Probe& b = engine.Create<Probe>("b", 0);
  ASSERT_EQ(Order(engine), (Names{"b", "a"}));
  a.SetZ(0);  // the same value keeps the order among equals
  EXPECT_EQ(Order(engine), (Names{"b", "a"}));
  b.SetZ(10);
  EXPECT_EQ(Order(engine), (Names{"a", "b"}));
  b.SetZ(0);  // back among the zeros, in front of them
  EXPECT_EQ(Order(engine), (Names{"b", "a"}));
  a.SetZ(-2147483647 - 1);  // extreme depths compare without overflow
  b.SetZ(2147483647);
  EXPECT_EQ(Order(engine), (Names{"a", "b"}));
}

TEST(SpriteEngine, ACompanionMadeInAConstructorSortsAsIfMadeAfterIt) {
  // The outer sprite is in the list from its base constructor on, like any created sprite.
  struct WithShadow : TSprite {
    explicit WithShadow(TSpriteEngine& engine) : TSprite(engine) {
      Name = "outer";
      Engine().Create<Probe>("shadow", 0);
    }
  };
  TSpriteEngine engine;
  engine.Create<WithShadow>();
  EXPECT_EQ(Order(engine), (Names{"shadow", "outer"}));
}

TEST(SpriteEngine, KillQueuesOnceAndRemoveDeadFreesLastQueuedFirst) {
  std::vector<std::string> log;
  TSpriteEngine engine;
  Probe& a = engine.Create<Probe>("a", 0, &log);
  Probe& b = engine.Create<Probe>("b", 1, &log);
  engine.Create<Probe>("c", 2, &log);
  a.Kill();
  a.Kill();
  b.Kill();
  EXPECT_TRUE(a.Dead());
  EXPECT_EQ(engine.DeadCount(), 2);
  // Still listed (drawn and moved) until the removal pass.
  EXPECT_EQ(engine.Count(), 3);
  engine.RemoveDead();
  EXPECT_EQ(log, (Names{"free b", "free a"}));
  EXPECT_EQ(Order(engine), (Names{"c"}));
  EXPECT_EQ(engine.DeadCount(), 0);
}

TEST(SpriteEngine, ReferencesEmptyOnceTheSpriteIsFreed) {
  auto engine = std::make_unique<TSpriteEngine>();
  Probe& a = engine->Create<Probe>("a", 0);
  Probe& b = engine->Create<Probe>("b", 0);
  SpriteRef<Probe> refA = &a;
  SpriteRef<> refB = SpriteRef<Probe>(b);  // upcast
  SpriteRef<> none;
  EXPECT_EQ(refA.Get(), &a);
  EXPECT_FALSE(none);
  a.Kill();
  EXPECT_TRUE(refA) << "a killed sprite lives until the removal pass";
  engine->RemoveDead();
  EXPECT_FALSE(refA);
  EXPECT_EQ(refA.Get(), nullptr);
  EXPECT_EQ(refB.Get(), &b);
  engine.reset();  // the engine frees what remains
  EXPECT_EQ(refB.Get(), nullptr);
}

TEST(SpriteEngine, DestructionFreesLastIndexFirst) {
  std::vector<std::string> log;
  {
    TSpriteEngine engine;
    engine.Create<Probe>("low", 0, &log);
    engine.Create<Probe>("high", 9, &log).Kill();
    engine.Create<Probe>("mid", 4, &log);
  }
  EXPECT_EQ(log, (Names{"free high", "free mid", "free low"}));
}

TEST(SpriteEngine, PassesFixTheirBoundAtTheStart) {
  std::vector<std::string> log;
  TSpriteEngine engine;
  Probe& a = engine.Create<Probe>("a", 0, &log);
  engine.Create<Probe>("b", 1, &log);
  a.spawnOnMove = true;
  engine.MoveAll(0.001f);
  // "a+" lands behind "b" by depth and is not reached in this pass.
  EXPECT_EQ(log, (Names{"move a", "move b"}));
  EXPECT_EQ(Order(engine), (Names{"a", "b", "a+"}));
}

TEST(SpriteEngine, RemoveDeadInsideAPassWaitsForTheNextCall) {
  struct Remover : TSprite {
    using TSprite::TSprite;
    void Move(float) override {
      Kill();
      Engine().RemoveDead();
      movedAfterKill = Dead();  // still here: freeing it now would pull the sprite from under us
    }
    bool movedAfterKill = false;
  };
  TSpriteEngine engine;
  Remover& r = engine.Create<Remover>();
  SpriteRef<Remover> ref = r;
  engine.MoveAll(0.001f);
  ASSERT_TRUE(ref);
  EXPECT_TRUE(r.movedAfterKill);
  engine.RemoveDead();
  EXPECT_FALSE(ref);
}

TEST(SpriteEngine, CollisionPassTestsEachCollidablePairOnceLowerIndexFirst) {
  std::vector<std::string> log;
  TSpriteEngine engine;
  for (const char* tag : {"x", "y", "z"}) {
    Probe& p = engine.Create<Probe>(tag, 0, &log);
    p.Collidable = true;
    p.CollideMode = 1;
    p.CollideRect = {0, 0, 10, 10};
  }
  engine.Create<Probe>("idle", 0, &log).CollideRect = {0, 0, 10, 10};  // not collidable
  ASSERT_EQ(Order(engine), (Names{"idle", "z", "y", "x"}));
  engine.CheckCollisions();
  EXPECT_EQ(log, (Names{"z hit y", "y hit z", "z hit x", "x hit z", "y hit x", "x hit y"}));
}

TEST(SpriteEngine, KilledSpritesAreSkippedByCollisions) {
  std::vector<std::string> log;
  TSpriteEngine engine;
  Probe& a = engine.Create<Probe>("a", 0, &log);
  Probe& b = engine.Create<Probe>("b", 0, &log);
  for (Probe* p : {&a, &b}) {
    p->Collidable = true;
    p->CollideMode = 0;
    p->CollideRadius = 5;
  }
  a.Collided = true;
  b.Kill();
  a.Collide(b);
  EXPECT_FALSE(a.Collided);
  engine.CheckCollisions();
  b.CollideAll();
  EXPECT_TRUE(log.empty());
}

class Shapes : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TSprite* s : {a, b}) s->Collidable = true;
  }
  TSpriteEngine engine;
  TSprite* a = &engine.Create<TSprite>();
  TSprite* b = &engine.Create<TSprite>();
};

TEST_F(Shapes, RectanglesThatOnlyTouchDoNotCollide) {
  a->CollideMode = 1;
  a->CollideRect = {0, 0, 10, 10};
  b->CollideRect = {10, 0, 20, 10};  // shares the right edge
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
  b->CollideRect = {0, 10, 10, 20};  // shares the bottom edge
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
  b->CollideRect = {9, 9, 20, 20};
  a->TestCollision(*b);
  EXPECT_TRUE(a->Collided);
}

TEST_F(Shapes, CirclesAtExactlyTheRadiusSumDoNotCollide) {
  a->CollideMode = 0;
  a->CollideRadius = 3;
  b->CollideRadius = 2;
  a->CollideCenterX = 10;
  a->CollideCenterY = 10;
  b->CollideCenterX = 13;
  b->CollideCenterY = 14;  // distance 5
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
  b->CollideCenterY = 13.99f;
  a->TestCollision(*b);
  EXPECT_TRUE(a->Collided);
  // The partner's own mode is not consulted.
  b->CollideMode = 7;
  a->TestCollision(*b);
  EXPECT_TRUE(a->Collided);
  a->CollideMode = 7;
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
}

TEST_F(Shapes, QuadCornersOnTheEdgeCountAsInside) {
  a->CollideMode = 2;
  a->CollideQuad = {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
  b->CollideQuad = {{{10, 10}, {20, 10}, {20, 20}, {10, 20}}};  // corner meets corner
  a->TestCollision(*b);
  EXPECT_TRUE(a->Collided);
  b->CollideQuad = {{{10.01f, 5}, {20, 5}, {20, 6}, {10.01f, 6}}};
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
  // A square turned by 45 degrees: a corner on its slanted edge is in, one past it is out.
  a->CollideQuad = {{{10, 0}, {20, 10}, {10, 20}, {0, 10}}};
  b->CollideQuad = {{{30, 30}, {40, 30}, {40, 40}, {4, 6}}};
  a->TestCollision(*b);
  EXPECT_TRUE(a->Collided);
  b->CollideQuad[3] = {3, 3};
  a->TestCollision(*b);
  EXPECT_FALSE(a->Collided);
}

TEST(SpriteEngine, SetDrawModeMapsTooLargeValuesToZero) {
  TSpriteEngine engine;
  TSprite& s = engine.Create<TSprite>();
  s.SetDrawMode(4);
  EXPECT_EQ(s.DrawMode(), 4);
  s.SetDrawMode(6);
  EXPECT_EQ(s.DrawMode(), 0);
  s.SetDrawMode(-1);
  EXPECT_EQ(s.DrawMode(), -1);
}

TEST(SpriteEngine, AssignCopiesFieldsAndKeepsTheListTrue) {
  TSpriteEngine engine;
  TSprite& a = engine.Create<TSprite>();
  TSprite& b = engine.Create<TSprite>();
  a.Name = "a";
  b.Name = "b";
  a.X = 17;
  a.UserScaleX = 2.5f;
  a.SetZ(9);
  a.Kill();
  b.Assign(a);
  EXPECT_EQ(b.X, 17);
  EXPECT_EQ(b.UserScaleX, 2.5f);
  EXPECT_EQ(b.Name, "a");
  EXPECT_EQ(engine.SpriteAt(0), &b) << "b re-sorted in front of a at depth 9";
  EXPECT_EQ(engine.SpriteAt(1), &a);
  EXPECT_TRUE(b.Dead());
  EXPECT_EQ(engine.DeadCount(), 2) << "a copied death is queued, so the sprite is freed";
  engine.RemoveDead();
  EXPECT_EQ(engine.Count(), 0);
}

TEST(AnimatedSprite, ForwardNotLoopedStopsOnTheLastPattern) {
  TSpriteEngine engine;
  auto& s = engine.Create<TAnimatedSprite>();
  s.SetAnimation("ball", 0, 4, 1.0f, false, 0);
  for (int i = 0; i < 10 && s.Animating; ++i) s.Move(1.0f);
  EXPECT_FALSE(s.Animating);
  EXPECT_EQ(s.PatternIndex, 3);
  EXPECT_EQ(s.ImageNumber, 3);
  EXPECT_FALSE(s.AnimEnded) << "5 passed the end without its whole part equal to it";
  s.Move(1.0f);
  EXPECT_EQ(s.AnimPos, 3.0f);
}

TEST(AnimatedSprite, ForwardLoopWrapsAndNotesAnExactEnd) {
  TSpriteEngine engine;
  auto& s = engine.Create<TAnimatedSprite>();
  s.SetAnimation("ball", 2, 4, 0.5f, true, 0);
  s.SetAnimStart(2);  // unchanged: AnimPos stays
  EXPECT_EQ(s.AnimPos, 0.0f);
  s.AnimStart = 0;
  s.SetAnimStart(2);
  EXPECT_EQ(s.AnimPos, 2.0f);
  s.AnimPos = 5.9f;
  s.Move(1.0f);  // 6.4 > 6, whole part 6
  EXPECT_TRUE(s.AnimEnded);
  EXPECT_EQ(s.AnimPos, 2.0f);
  EXPECT_TRUE(s.Animating);
  s.CanMove = false;
  s.Move(1.0f);
  EXPECT_EQ(s.AnimPos, 2.0f);
}

TEST(AnimatedSprite, BackwardAndPingPong) {
  TSpriteEngine engine;
  auto& back = engine.Create<TAnimatedSprite>();
  back.SetAnimation("x", 0, 4, 1.0f, true, 1);
  back.Move(1.0f);  // -1 < 0: loops to the last pattern
  EXPECT_EQ(back.AnimPos, 3.0f);
  back.Looped = false;
  for (int i = 0; i < 5; ++i) back.Move(1.0f);
  EXPECT_EQ(back.AnimPos, 0.0f);
  EXPECT_FALSE(back.Animating);

  auto& pong = engine.Create<TAnimatedSprite>();
  pong.SetAnimation("x", 0, 2, 1.0f, false, 2);
  std::vector<int> seen;
  for (int i = 0; i < 20 && pong.Animating; ++i) {
    pong.Move(1.0f);
    seen.push_back(pong.PatternIndex);
  }
  // Up past the end (2, then 3 turns it), back down to the start, where it stops.
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 2, 1, 0}));
  EXPECT_FALSE(pong.Animating);
  EXPECT_FALSE(pong.PingPongTop);

  auto& loop = engine.Create<TAnimatedSprite>();
  loop.SetAnimation("x", 0, 3, 1.0f, true, true, true, 2);
  EXPECT_TRUE(loop.MirrorX);
  seen.clear();
  for (int i = 0; i < 6; ++i) {
    loop.Move(1.0f);
    seen.push_back(loop.PatternIndex);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 2, 1, 0}));
  EXPECT_TRUE(loop.Animating);
}

}  // namespace
}  // namespace zb

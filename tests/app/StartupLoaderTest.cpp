// The start-up work left for the frames of the logo: slices that keep to a time budget.

#include "app/StartupLoader.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/platform/headless/Headless.h"

namespace zb {
namespace {

// `count` steps that each take `micros` on the clock and note their order.
void AddTimedSteps(TStartupLoader& loader, platform::HeadlessClock& clock, std::string& ran, int count,
                   uint64_t micros) {
  for (int i = 0; i < count; ++i) {
    loader.Add([&clock, &ran, i, micros] {
      clock.AdvanceMicros(micros);
      ran += static_cast<char>('a' + i);
      return std::string();
    });
  }
}

TEST(StartupLoaderTest, EachSliceStopsOnceItsBudgetIsSpentAndKeepsTheOrder) {
  platform::HeadlessClock clock;
  TStartupLoader loader;
  std::string ran;
  AddTimedSteps(loader, clock, ran, 7, 2000);
  loader.Run(clock, 6000);
  EXPECT_EQ(ran, "abc");
  EXPECT_FALSE(loader.Done());
  EXPECT_EQ(loader.StepsLeft(), 4u);
  loader.Run(clock, 6000);
  EXPECT_EQ(ran, "abcdef");
  loader.Run(clock, 6000);
  EXPECT_EQ(ran, "abcdefg");
  EXPECT_TRUE(loader.Done());
  EXPECT_FALSE(loader.Failed());
  loader.Run(clock, 6000);  // nothing left to do
  EXPECT_EQ(ran, "abcdefg");
}

TEST(StartupLoaderTest, AStepLongerThanTheBudgetStillRunsAloneSoLoadingMovesOn) {
  platform::HeadlessClock clock;
  TStartupLoader loader;
  std::string ran;
  AddTimedSteps(loader, clock, ran, 3, 50'000);
  loader.Run(clock, 6000);
  EXPECT_EQ(ran, "a");
  loader.Run(clock, 0);
  EXPECT_EQ(ran, "ab");
}

TEST(StartupLoaderTest, AFailureStopsTheLoadingAndKeepsItsReason) {
  platform::HeadlessClock clock;
  TStartupLoader loader;
  std::string ran;
  AddTimedSteps(loader, clock, ran, 1, 10);
  loader.Add([] { return std::string("The font \"Big\" cannot be loaded"); });
  AddTimedSteps(loader, clock, ran, 2, 10);
  loader.Run(clock, 1'000'000);
  EXPECT_EQ(ran, "a");
  EXPECT_TRUE(loader.Failed());
  EXPECT_TRUE(loader.Done());
  EXPECT_EQ(loader.Error(), "The font \"Big\" cannot be loaded");
  loader.RunAll();
  EXPECT_EQ(ran, "a");
}

TEST(StartupLoaderTest, RunAllDoesEverythingWithoutAClock) {
  platform::HeadlessClock clock;
  TStartupLoader loader;
  std::string ran;
  AddTimedSteps(loader, clock, ran, 5, 1'000'000);
  loader.RunAll();
  EXPECT_EQ(ran, "abcde");
  EXPECT_TRUE(loader.Done());
  EXPECT_FALSE(loader.Failed());
}

}  // namespace
}  // namespace zb

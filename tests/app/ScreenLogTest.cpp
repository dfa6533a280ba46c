#include "app/ScreenLog.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zb {
namespace {

TEST(ScreenLogTest, WritesEachChangeOnceAndTheFirstScreenToo) {
  std::ostringstream out;
  TScreenLog log(out);
  // Screen 0 is a real screen, so the first frame is written even when it is 0.
  for (uint8_t screen : {0, 0, 3, 3, 3, 1, 4, 4, 12, 29, 28, 12, 12, 17, 12}) log.Note(screen);
  EXPECT_EQ(out.str(), "0\n3\n1\n4\n12\n29\n28\n12\n17\n12\n");
}

}  // namespace
}  // namespace zb

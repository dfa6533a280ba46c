#include "persist/FolderLock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

TEST(FolderLockTest, OneHolderAtATimeAndTheLockGoesWithIt) {
  test::TempDir dir;
  std::optional<TFolderLock> first(std::in_place, dir.Path());
  ASSERT_TRUE(first->Held());
  EXPECT_FALSE(first->Busy());
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path() / TFolderLock::kFileName));
  {
    // Another open of the file is another holder, as another copy of the game would be.
    const TFolderLock second(dir.Path());
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.Busy());
  }
  first.reset();
  const TFolderLock third(dir.Path());
  EXPECT_TRUE(third.Held());
  // A folder where the lock file cannot be made is no other copy.
  const TFolderLock nowhere(dir.Path() / "no" / "such");
  EXPECT_FALSE(nowhere.Held());
  EXPECT_FALSE(nowhere.Busy());
}

}  // namespace
}  // namespace zb

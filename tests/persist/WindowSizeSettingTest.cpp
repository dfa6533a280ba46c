#include "persist/WindowSizeSetting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

TEST(WindowSizeSettingTest, OneLineOfTwoWholeNumbersInRange) {
  EXPECT_EQ(ParseWindowSize("1600 1200\n"), (TWindowSize{1600, 1200}));
  EXPECT_EQ(ParseWindowSize("1000 750"), (TWindowSize{1000, 750}));
  EXPECT_EQ(ParseWindowSize("1000 750\r\n"), (TWindowSize{1000, 750}));  // edited on another system
  EXPECT_EQ(ParseWindowSize("16384 1"), (TWindowSize{16384, 1}));
  EXPECT_EQ(ParseWindowSize(WindowSizeText({2400, 1800})), (TWindowSize{2400, 1800}));
  for (const char* broken : {"", "\n", "800", "800x600", "800  600", " 800 600", "800 600 7", "800 600\n\n",
                             "0 600", "800 0", "-800 600", "+800 600", "16385 600", "800 99999999999", "abc def",
                             "800 600abc", "8e2 600", "800\n600"}) {
    EXPECT_FALSE(ParseWindowSize(broken)) << '"' << broken << '"';
  }
}

TEST(WindowSizeSettingTest, TheFileKeepsTheSizeAndADamagedOneGivesNothing) {
  const test::TempDir dir;
  const fs::path file = dir.Path() / kWindowSizeFileName;
  EXPECT_FALSE(ReadWindowSize(file));
  ASSERT_TRUE(WriteWindowSize(file, {1000, 750}).ok);
  EXPECT_EQ(ReadWindowSize(file), (TWindowSize{1000, 750}));
  ASSERT_TRUE(WriteWindowSize(file, {1600, 1200}).ok);
  EXPECT_EQ(ReadWindowSize(file), (TWindowSize{1600, 1200}));
  EXPECT_FALSE(fs::exists(dir.Path() / "Window.cfg.tmp"));
  Put(file, "1600 1200\n" + std::string(100, ' '));  // more than a size
  EXPECT_FALSE(ReadWindowSize(file));
  Put(file, std::string("16\0000 1200\n", 10));
  EXPECT_FALSE(ReadWindowSize(file));
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(ReadWindowSize(file));
}

TEST(WindowSizeSettingTest, AFailedWriteLeavesTheOldFileAndNoTemporaryOne) {
  const test::TempDir dir;
  EXPECT_FALSE(WriteWindowSize(dir.Path() / "no-such-folder" / kWindowSizeFileName, {800, 600}).ok);
  const fs::path file = dir.Path() / kWindowSizeFileName;
  ASSERT_TRUE(WriteWindowSize(file, {1000, 750}).ok);
  // A folder where the temporary file would go: the write fails and the kept size stays.
  fs::create_directory(dir.Path() / "Window.cfg.tmp");
  const FileWriteResult failed = WriteWindowSize(file, {1200, 900});
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.error.empty());
  EXPECT_EQ(ReadWindowSize(file), (TWindowSize{1000, 750}));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "Window.cfg.tmp"));
}

}  // namespace
}  // namespace zb

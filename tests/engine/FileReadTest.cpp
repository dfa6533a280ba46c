#include "engine/FileRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

TEST(FileReadTest, ReadsWholeFilesAndSaysWhyOthersCannotBeRead) {
  test::TempDir dir;
  const auto file = dir.Write("a.bin", {1, 0, 2, 255});
  FileReadResult read = ReadFileText(file);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.bytes, std::string("\x01\x00\x02\xFF", 4));
  EXPECT_EQ(AsBytes(read.bytes), (std::vector<uint8_t>{1, 0, 2, 255}));

  const auto empty = dir.Write("empty", {});
  read = ReadFileText(empty);
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.bytes.empty());

  read = ReadFileText(dir.Path() / "none");
  EXPECT_FALSE(read.ok);
  EXPECT_TRUE(read.Missing());
  EXPECT_EQ(read.error, "\"" + (dir.Path() / "none").generic_string() + "\" cannot be opened: it does not exist");

  read = ReadFileText(empty / "under-a-file");
  EXPECT_FALSE(read.ok);
  EXPECT_TRUE(read.Missing());

  read = ReadFileText(dir.Path());
  EXPECT_FALSE(read.ok);
  EXPECT_FALSE(read.Missing());
  EXPECT_NE(read.error.find("it is a folder"), std::string::npos) << read.error;

  // A pipe would hold a plain open until someone writes to it.
  ASSERT_EQ(mkfifo((dir.Path() / "pipe").c_str(), 0600), 0);
  read = ReadFileText(dir.Path() / "pipe");
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find("not a regular file"), std::string::npos) << read.error;
}

TEST(FileReadTest, AFileOverTheLimitIsRefusedWithoutReadingIt) {
  test::TempDir dir;
  const auto file = dir.Write("big", std::vector<uint8_t>(1000, 7));
  EXPECT_TRUE(ReadFileText(file, 1000).ok);
  const FileReadResult read = ReadFileText(file, 999);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.code, std::errc::file_too_large);
  EXPECT_TRUE(read.bytes.empty());
  EXPECT_NE(read.error.find("is too large (over 999 bytes)"), std::string::npos) << read.error;
}

TEST(FileReadTest, ReadsAtOffsetsOnlyWhatTheFileHolds) {
  test::TempDir dir;
  const auto file = dir.Write("a.bin", {10, 11, 12, 13, 14});
  TReadFile reader;
  std::error_code code;
  ASSERT_TRUE(reader.Open(file, code));
  EXPECT_EQ(reader.Size(), 5u);
  uint8_t two[2] = {};
  EXPECT_TRUE(reader.ReadAt(3, two, 2));
  EXPECT_EQ(two[0], 13);
  EXPECT_EQ(two[1], 14);
  EXPECT_FALSE(reader.ReadAt(4, two, 2));
  EXPECT_FALSE(reader.ReadAt(uint64_t{1} << 40, two, 1));
  TReadFile moved = std::move(reader);
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(moved.ReadAt(0, two, 1));
  EXPECT_EQ(two[0], 10);

  EXPECT_FALSE(moved.Open(dir.Path(), code));
  EXPECT_EQ(code, std::errc::is_a_directory);
  EXPECT_FALSE(moved.ReadAt(0, two, 1));
}

}  // namespace
}  // namespace zb

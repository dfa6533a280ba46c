#include "persist/LevelSetArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zb {
namespace {

namespace fs = std::filesystem;

std::vector<TArchivedFile> SomeFiles() {
  std::string every;
  for (int i = 0; i < 256; ++i) every += static_cast<char>(i);
  return {{"level01", every + every}, {"level01.txt", "title Первый\noffset 0 0\ngrid\nrgb\n"}, {"empty", ""}};
}

TEST(LevelSetArchive, FilesComeBackByteForByte) {
  const std::vector<TArchivedFile> files = SomeFiles();
  const std::string packed = PackLevelSet(files);
  EXPECT_EQ(packed.substr(0, 4), "ZLV1");
  std::vector<TArchivedFile> back;
  std::string error;
  ASSERT_TRUE(UnpackLevelSet(packed, back, error)) << error;
  ASSERT_EQ(back.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(back[i].Name, files[i].Name);
    EXPECT_EQ(back[i].Bytes, files[i].Bytes);
  }
  ASSERT_TRUE(UnpackLevelSet(PackLevelSet({}), back, error)) << error;
  EXPECT_TRUE(back.empty());
}

// Every cut of an archive, a changed byte anywhere in it, and names that would leave the folder:
// refused with a reason, never a crash, and nothing handed out.
TEST(LevelSetArchive, DamagedArchivesAreRefused) {
  const std::string packed = PackLevelSet(SomeFiles());
  std::vector<TArchivedFile> back;
  std::string error;
  for (size_t size = 0; size < packed.size(); ++size) {
    EXPECT_FALSE(UnpackLevelSet(packed.substr(0, size), back, error)) << size;
    EXPECT_TRUE(back.empty());
  }
  for (size_t at = 0; at < packed.size(); ++at) {
    std::string changed = packed;
    changed[at] = static_cast<char>(changed[at] ^ 0x20);
    if (UnpackLevelSet(changed, back, error)) {
      // Only a change of a name's letter can still read; the contents are never changed.
      ASSERT_EQ(back.size(), 3u) << at;
      EXPECT_EQ(back[0].Bytes, SomeFiles()[0].Bytes) << at;
    }
  }
  EXPECT_FALSE(UnpackLevelSet(packed + "x", back, error));
  for (const char* name : {"../up", "a/b", ".hidden", ""}) {
    EXPECT_FALSE(UnpackLevelSet(PackLevelSet({{name, "x"}}), back, error)) << name;
  }
  EXPECT_FALSE(UnpackLevelSet(PackLevelSet({{"twice", "a"}, {"twice", "b"}}), back, error));
  EXPECT_NE(error.find("twice"), std::string::npos);
}

// A list of files larger than its packed bytes can hold is refused before any room is taken for it;
// the most packable contents there are still come back.
TEST(LevelSetArchive, SizesThePackedBytesCannotHoldAreRefused) {
  std::vector<TArchivedFile> back;
  std::string error;
  const std::vector<TArchivedFile> zeros = {{"level01", std::string(kMaxArchivedFileBytes, '\0')},
                                            {"level02", std::string(kMaxArchivedFileBytes, '\0')}};
  ASSERT_TRUE(UnpackLevelSet(PackLevelSet(zeros), back, error)) << error;
  EXPECT_EQ(back[1].Bytes, zeros[1].Bytes);
  // The same list over a packed stream cut to a few bytes.
  std::string claimed = PackLevelSet(zeros);
  claimed.resize(claimed.size() - 200);
  EXPECT_FALSE(UnpackLevelSet(claimed, back, error));
  EXPECT_NE(error.find("damaged"), std::string::npos);
  EXPECT_TRUE(back.empty());
}

TEST(LevelSetArchive, FoldersAreReadInOrderAndNothingIsWrittenOver) {
  const fs::path folder = fs::temp_directory_path() / "zb-levelset-archive";
  fs::remove_all(folder);
  std::string error;
  ASSERT_TRUE(WriteSetFolder(folder / "set", SomeFiles(), error)) << error;
  std::vector<TArchivedFile> read;
  ASSERT_TRUE(ReadSetFolder(folder / "set", read, error)) << error;
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].Name, "empty");
  EXPECT_EQ(read[1].Bytes, SomeFiles()[0].Bytes);
  // A second unpack into the same folder stops before writing anything.
  { std::ofstream(folder / "set" / "level01.txt") << "mine"; }
  EXPECT_FALSE(WriteSetFolder(folder / "set", {{"new", "n"}, {"level01.txt", "theirs"}}, error));
  EXPECT_NE(error.find("level01.txt"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "set" / "new"));
  EXPECT_FALSE(ReadSetFolder(folder / "missing", read, error));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zb

// `zbtool levelset pack` and `unpack`: a set folder into one file and back, the same bytes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zb {
namespace {

namespace fs = std::filesystem;

class ZbtoolLevelSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-levelset-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "set");
  }
  void TearDown() override { fs::remove_all(folder_); }

  int Run(const std::string& arguments) {
    const std::string command = "cd " + folder_.string() + " && " + ZB_ZBTOOL + " levelset " + arguments + " 2> err.txt";
    const int status = std::system(command.c_str());
    error_ = Read(folder_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

  fs::path folder_;
  std::string error_;
};

TEST_F(ZbtoolLevelSetTest, PackThenUnpackGivesTheSameFiles) {
  // A level compiled by the tool itself, its source, and a file of every byte value.
  Write(folder_ / "set" / "level01.txt", "title Опушка\noffset 0 0\ngrid\nrgbyom\ncs#RGB\n");
  const std::string compile = std::string(ZB_ZBTOOL) + " level-compile " + (folder_ / "set" / "level01.txt").string() +
                              " " + (folder_ / "set" / "level01").string();
  ASSERT_EQ(std::system(compile.c_str()), 0);
  std::string every;
  for (int i = 0; i < 256; ++i) every += static_cast<char>(i);
  Write(folder_ / "set" / "notes", every);
  ASSERT_EQ(Run("pack set out.zlv"), 0) << error_;
  ASSERT_EQ(Run("unpack out.zlv back"), 0) << error_;
  for (const char* name : {"level01", "level01.txt", "notes"}) {
    EXPECT_EQ(Read(folder_ / "back" / name), Read(folder_ / "set" / name)) << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "back"), fs::directory_iterator()), 3);
  // The archive of the unpacked folder is the same archive.
  ASSERT_EQ(Run("pack back again.zlv"), 0) << error_;
  EXPECT_EQ(Read(folder_ / "again.zlv"), Read(folder_ / "out.zlv"));
  // Unpacking over the files already there is refused and changes nothing.
  Write(folder_ / "back" / "notes", "mine");
  EXPECT_EQ(Run("unpack out.zlv back"), 1);
  EXPECT_NE(error_.find("is there already"), std::string::npos) << error_;
  EXPECT_EQ(Read(folder_ / "back" / "notes"), "mine");
}

TEST_F(ZbtoolLevelSetTest, BadArchivesAndFoldersAreErrors) {
  Write(folder_ / "bad.zlv", "ZLV1\x02\x00\x00\x00garbage");
  EXPECT_EQ(Run("unpack bad.zlv out"), 1);
  EXPECT_NE(error_.find("bad.zlv"), std::string::npos) << error_;
  EXPECT_FALSE(fs::exists(folder_ / "out"));
  EXPECT_EQ(Run("unpack missing.zlv out"), 1);
  EXPECT_EQ(Run("pack missing out.zlv"), 1);
  EXPECT_EQ(Run("pack set"), 1);
  EXPECT_EQ(Run("shuffle set out.zlv"), 1);
}

}  // namespace
}  // namespace zb

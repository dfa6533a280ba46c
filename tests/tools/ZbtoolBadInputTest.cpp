// The tools given a folder, a missing file or a broken file where a file belongs: a message and
// exit status 1, never a signal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zb {
namespace {

class ZbtoolBadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-badinput-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "dir");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The exit status, or -1 when the program ended by a signal; its standard error in `error_`.
  int Run(const std::string& arguments) {
    const std::string command =
        "cd " + folder_.string() + " && " + ZB_ZBTOOL + " " + arguments + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    std::ifstream in(folder_ / "err.txt");
    error_.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::filesystem::path folder_;
  std::string error_;
};

TEST_F(ZbtoolBadInputTest, AFolderWhereAFileBelongsIsAnError) {
  const std::string manifest = std::string(ZB_SOURCE_DIR) + "/assets/art/images.manifest";
  for (const std::string& arguments :
       {std::string("level dir"), std::string("level-compile dir out"), std::string("particle dir out.pss"),
        "gui-compile gfx.zbx " + manifest + " dir", std::string("gui dir"), std::string("story-compile dir out"),
        std::string("record dir key out"), std::string("config dir"), std::string("list dir")}) {
    EXPECT_EQ(Run(arguments), 1) << arguments << "\n" << error_;
    EXPECT_NE(error_.find("folder"), std::string::npos) << arguments << "\n" << error_;
  }
}

TEST_F(ZbtoolBadInputTest, MissingAndBrokenLevelsAreErrors) {
  EXPECT_EQ(Run("level none"), 1);
  EXPECT_NE(error_.find("\"none\" cannot be opened: it does not exist"), std::string::npos) << error_;
  std::ofstream(folder_ / "negative", std::ios::binary) << std::string(4, '\xFF') << std::string(128 * 6 - 4, '\0');
  EXPECT_EQ(Run("level negative"), 1);
  EXPECT_NE(error_.find("negative"), std::string::npos) << error_;
}

}  // namespace
}  // namespace zb

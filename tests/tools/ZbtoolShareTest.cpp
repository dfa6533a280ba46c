#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/PngWriter.h"
#include "engine/platform/ImageFile.h"

namespace zb {
namespace {

// A game folder with a page in a file of another name: the tool resolves the page's names in the
// folder above the page's own, as the game does from its game folder.
class ZbtoolShareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-share-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "pages");
    std::filesystem::create_directories(folder_ / "pics");
    for (const char* name : {"bg", "a", "a_hover", "x", "x_hover", "x_off"}) {
      const int w = std::string(name) == "bg" ? 800 : 30, h = std::string(name) == "bg" ? 600 : 20;
      const std::vector<uint32_t> pixels(size_t(w) * h, 0xFF336699u);
      ASSERT_TRUE(WritePng((folder_ / "pics" / (std::string(name) + ".png")).string(), pixels.data(), w, h));
    }
    std::ofstream(folder_ / "pics/a.url") << "[InternetShortcut]\nURL=http://localhost/\n";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Run(const std::string& page, const std::string& extra = "") {
    const auto file = folder_ / "pages/page.ini";
    std::ofstream(file, std::ios::binary) << page;
    const auto out = folder_ / "out.txt";
    const std::string command =
        std::string(ZB_ZBTOOL) + " share " + file.string() + extra + " > " + out.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(out, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path folder_;
};

constexpr const char* kPage =
    "2\n"
    "pics/bg.png\n"
    "10 8 0 0\n"
    "10 10 30 20\n"
    "pics/a.png\n"
    "pics/a_hover.png\n"
    "pics/a.url\n"
    "50 48 1 2\n"
    "50 50 30 20\n"
    "52 51 3 4\n"
    "pics/x.png\n"
    "pics/x_hover.png\n"
    "pics/x_off.png\n"
    "62 60\n"
    "2\n"
    "255 128 1\n";

TEST_F(ZbtoolShareTest, PrintsThePageAsTheGameReadsIt) {
  EXPECT_EQ(Run(std::string(kPage) + "TRUE\n31\n"),
            "active=true\n"
            "background=pics/bg.png\n"
            "countdown=20\n"
            "countdown_at=62,60\n"
            "colour=$FFFF8001\n"
            "fixed_text_size=true\n"
            "text_size=31\n"
            "button=0 target=pics/a.url hover_at=10,8 hit=10,10,30,20 disabled_at=10,10 normal=pics/a.png "
            "hover=pics/a_hover.png disabled=pics/a.png enabled=true\n"
            "button=1 target=exit hover_at=50,48 hit=50,50,30,20 disabled_at=52,51 normal=pics/x.png "
            "hover=pics/x_hover.png disabled=pics/x_off.png enabled=false\n");
  EXPECT_EQ(Run(std::string(kPage) + "FALSE\n").substr(0, 12), "active=true\n");
}

TEST_F(ZbtoolShareTest, AnIncompletePageIsInactive) {
  EXPECT_EQ(Run(kPage), "active=false\n");
  EXPECT_EQ(Run("2\npics/none.png\n"), "active=false\n");
}

TEST_F(ZbtoolShareTest, DrawsThePage) {
  const auto png = folder_ / "page.png";
  Run(std::string(kPage) + "TRUE\n31\n", " --draw " + png.string() + " --tenths 0 --pointer 20,20");
  const auto image = platform::DecodeImageFile(png);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 800);
  EXPECT_EQ(image->argb[size_t(300) * 800 + 400], 0xFF336699u);
}

}  // namespace
}  // namespace zb

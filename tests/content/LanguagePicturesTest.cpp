// The pictures with words of every language: drawn from the catalogue by the build, the same set of
// images as the tool draws, every help text within its board, and shown in place of the Russian ones.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxImages.h"
#include "engine/LocalPictures.h"
#include "persist/ShareScreen.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

const fs::path kGame = ZB_GAME_DIR;

int Tool(const std::string& arguments) { return std::system((std::string(ZB_ZBTOOL) + " " + arguments).c_str()); }

std::vector<uint32_t> Pixels(const TGfxImage& image) {
  if (!image.Created()) return {};
  const auto pixels = image.Pixels(0);
  return {pixels.begin(), pixels.end()};
}

std::vector<uint32_t> Pixels(TGfxImages& images, const char* name) {
  const TGfxImage* image = images.FindImage(name);
  return image ? Pixels(*image) : std::vector<uint32_t>();
}

TEST(LanguagePicturesTest, EveryHelpTextFitsItsBoardInEveryLanguage) {
  EXPECT_EQ(Tool("art --fit"), 0) << "Russian";
  for (const auto& entry : fs::directory_iterator(kGame / "Data/lang")) {
    if (entry.path().extension() != ".mo") continue;
    EXPECT_EQ(Tool("art --fit --lang " + entry.path().string()), 0) << entry.path();
    EXPECT_TRUE(fs::exists(kGame / "Data/lang" / (entry.path().stem().string() + ".zbx"))) << entry.path();
    EXPECT_TRUE(fs::exists(kGame / "wdata/lang" / entry.path().stem() / "share.png")) << entry.path();
  }
}

TEST(LanguagePicturesTest, TheManifestHoldsEveryPictureThatWritesWords) {
  const fs::path listed = fs::temp_directory_path() / ("zb-words-list-" + std::to_string(::getpid()));
  ASSERT_EQ(Tool("art --list --words > " + listed.string()), 0);
  std::ifstream in(listed);
  std::vector<std::string> fromTool, fromManifest;
  for (std::string l; std::getline(in, l);) fromTool.push_back(l);
  std::ifstream manifest(fs::path(ZB_SOURCE_DIR) / "assets/lang/pictures.manifest");
  for (std::string l; std::getline(manifest, l);) {
    if (!l.empty() && l[0] != '#') fromManifest.push_back(l);
  }
  fs::remove(listed);
  EXPECT_EQ(fromManifest, fromTool);
  EXPECT_GE(fromTool.size(), 9u) << "the panel, the closing picture, the logo, the key prompt, five help pages";
}

class LocalPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(own_.EnsureOpen()) << ArchiveError(own_);
    for (const char* name : {"logo", "scr_help1", "ball"}) Load(name);
    pending_ = &images_.Add();  // left for later, as start-up leaves it
    pending_->Name = "scr_help2";
    russianLogo_ = Pixels(images_, "logo");
    russianHelp_ = Pixels(images_, "scr_help1");
    russianBall_ = Pixels(images_, "ball");
  }
  void Load(const char* name) {
    ASSERT_TRUE(images_.LoadRecord(own_, own_.IndexOfKey(name), images_.Add(), buffer_)) << images_.LoadError();
  }

  TArchiveDb own_{kGame / "Data/data.zbx", TOpenModes::opReadOnly};
  TGfxImages images_;
  TMemoryStream buffer_;
  TGfxImage* pending_ = nullptr;
  TLocalPictures pictures_;
  std::vector<uint32_t> russianLogo_, russianHelp_, russianBall_;
};

TEST_F(LocalPicturesTest, ALanguageReplacesItsPicturesAndRussianGetsThemBack) {
  ASSERT_TRUE(pictures_.Show(images_, own_, kGame / "Data/lang/en.zbx")) << pictures_.Error();
  EXPECT_NE(Pixels(images_, "logo"), russianLogo_);
  EXPECT_NE(Pixels(images_, "scr_help1"), russianHelp_);
  EXPECT_EQ(Pixels(images_, "ball"), russianBall_);
  EXPECT_FALSE(pending_->Created()) << "an image not loaded yet waits for its turn";
  EXPECT_TRUE(pictures_.Holds("SCR_HELP2"));
  EXPECT_FALSE(pictures_.Holds("ball"));

  // What start-up loads later comes from the language's set too.
  ASSERT_TRUE(pictures_.LoadRecord(images_, own_, own_.IndexOfKey("scr_help2"), *pending_, buffer_));
  TGfxImages russian;
  ASSERT_TRUE(russian.LoadRecord(own_, own_.IndexOfKey("scr_help2"), russian.Add(), buffer_));
  EXPECT_NE(Pixels(*pending_), Pixels(russian, "scr_help2"));
  EXPECT_EQ(pending_->Name, "scr_help2");

  ASSERT_TRUE(pictures_.Show(images_, own_, {})) << pictures_.Error();
  EXPECT_EQ(Pixels(images_, "logo"), russianLogo_);
  EXPECT_EQ(Pixels(images_, "scr_help1"), russianHelp_);
  EXPECT_EQ(Pixels(*pending_), Pixels(russian, "scr_help2"));
  EXPECT_EQ(Pixels(images_, "ball"), russianBall_);
}

TEST_F(LocalPicturesTest, AMissingOrBrokenSetLeavesTheRussianPictures) {
  ASSERT_TRUE(pictures_.Show(images_, own_, kGame / "Data/lang/en.zbx"));
  EXPECT_FALSE(pictures_.Show(images_, own_, kGame / "Data/lang/none.zbx"));
  EXPECT_NE(pictures_.Error().find("none.zbx"), std::string::npos) << pictures_.Error();
  EXPECT_EQ(Pixels(images_, "logo"), russianLogo_);
  EXPECT_EQ(Pixels(images_, "scr_help1"), russianHelp_);

  const fs::path broken = fs::temp_directory_path() / ("zb-broken-set-" + std::to_string(::getpid()) + ".zbx");
  std::ofstream(broken, std::ios::binary) << "ZBX but nothing more";
  EXPECT_FALSE(pictures_.Show(images_, own_, broken));
  EXPECT_EQ(Pixels(images_, "logo"), russianLogo_);
  ASSERT_TRUE(pictures_.LoadRecord(images_, own_, own_.IndexOfKey("scr_help2"), *pending_, buffer_));
  EXPECT_TRUE(pending_->Created());
  fs::remove(broken);
}

TEST(SharePageLanguageTest, TheSharePageShowsTheLanguagesPicturesAndItsOwnWithoutThem) {
  TShareScreen page(kGame, nullptr, nullptr);
  ASSERT_TRUE(page.Load());
  ASSERT_TRUE(page.Active);
  const std::vector<uint32_t> russian = Pixels(page.Background());
  page.SetLanguage("en");
  ASSERT_TRUE(page.Active);
  EXPECT_NE(Pixels(page.Background()), russian);
  EXPECT_EQ(page.ResolvePicture("wdata/share.png"), kGame / "wdata/lang/en/share.png");
  page.SetLanguage("xx");  // no pictures of its own
  EXPECT_EQ(Pixels(page.Background()), russian);
  EXPECT_EQ(page.ResolvePicture("wdata/share.png"), kGame / "wdata/share.png");
  page.SetLanguage("ru");
  EXPECT_EQ(Pixels(page.Background()), russian);
}

}  // namespace
}  // namespace zb

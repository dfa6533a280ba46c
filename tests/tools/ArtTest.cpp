// Checks the drawn art against its manifest: every image the game names is listed, every listed sheet is
// written with the size its line implies, sprites over scenery have transparent corners, animations move.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace zb {
namespace {

namespace fs = std::filesystem;

struct Line {
  std::string key, file;
  int pw = 0, ph = 0, count = 0;  // count 0: every cell
};

fs::path SourceRoot() { return fs::path(__FILE__).parent_path().parent_path().parent_path(); }

std::vector<Line> ReadManifest() {
  std::ifstream in(SourceRoot() / "assets/art/images.manifest");
  std::vector<Line> lines;
  std::string text;
  while (std::getline(in, text)) {
    const auto hash = text.find('#');
    if (hash != std::string::npos) text.resize(hash);
    std::istringstream words(text);
    std::string kind;
    if (!(words >> kind)) continue;
    Line line;
    int vw = 0, vh = 0;
    EXPECT_EQ(kind, "image") << text;
    EXPECT_TRUE(words >> line.key >> line.file >> line.pw >> line.ph) << text;
    if (words >> vw >> vh) {
      EXPECT_LE(vw, line.pw) << text;
      EXPECT_LE(vh, line.ph) << text;
      words >> line.count;
    }
    lines.push_back(line);
  }
  return lines;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

class ArtTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    out_ = new fs::path(fs::temp_directory_path() / ("zb-art-" + std::to_string(::getpid())));
    fs::create_directories(*out_);
    const std::string command = std::string(ZB_ZBTOOL) + " art " + out_->string() + " > /dev/null";
    status_ = std::system(command.c_str());
  }
  static void TearDownTestSuite() {
    fs::remove_all(*out_);
    delete out_;
  }

  static Surface Load(const Line& line) {
    // FILE is relative to the build's gen folder: "art/KEY.png".
    const fs::path file = *out_ / fs::path(line.file).filename();
    return Surface(cairo_image_surface_create_from_png(file.c_str()));
  }

  static uint32_t Pixel(cairo_surface_t* s, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(data + y * stride)[x];
  }

  static int Columns(const Line& l, int count) { return std::min(count, 2048 / l.pw); }

  static inline fs::path* out_ = nullptr;
  static inline int status_ = -1;
};

TEST_F(ArtTest, ManifestListsEveryImageTheGameNamesOnce) {
  std::vector<std::string> named = {
      "backgame", "sky", "panel", "leafs", "leafer", "smallscr", "cursor", "cursor1",
      "ball", "ball2", "ballcrash", "ball2crash", "bitka1", "bitka4", "bitka1_1", "bitka2_1", "bitka3_1",
      "bitka4_1", "playerpula", "m_jump", "m_stay", "m_run", "m_hit", "m_throw", "m_ches", "m_vipuch",
      "m_finish", "block1", "block2", "block3", "block4", "block5", "block6", "block_n2", "block_n22",
      "block_n51", "block_n52", "block_n53", "block_n54", "gold", "bomb", "back", "endgame", "logo",
      "bonus1", "bon_big", "bon_small", "bon_magnit", "bon_money", "bon_life", "bon_bigball", "bon_3ball",
      "bon_superball", "bon_banan", "keyblanc", "cageback", "cagefront", "cagedoor", "panda", "panda_1",
      "panda_2", "lion", "lion_1", "lion_2", "begemot", "begemot_1", "begemot_2", "gorilla", "gorilla_1",
      "gorilla_2", "hunter", "hunter_1", "hunter_2", "monkey", "monkey_1", "monkey_2", "cloud",
      "pressanykey", "scr_help1", "scr_help2", "scr_help3", "scr_help4", "scr_help5"};
  for (int key = 1; key <= 4; ++key) {
    for (int part = 1; part <= 5; ++part) named.push_back("k" + std::to_string(key) + "el" + std::to_string(part));
  }
  const std::map<std::string, int> minFrames = {
      {"leafs", 5}, {"ball", 8}, {"ball2", 8}, {"ballcrash", 9}, {"ball2crash", 9}, {"bitka1", 7},
      {"m_jump", 14}, {"m_stay", 9}, {"m_run", 9}, {"m_hit", 8}, {"m_throw", 9}, {"m_ches", 11},
      {"m_vipuch", 7}, {"m_finish", 14}, {"block1", 8}, {"block6", 8}, {"block_n2", 8}, {"block_n22", 8},
      {"block_n51", 8}, {"block_n54", 8}, {"gold", 8}, {"bonus1", 8}, {"bon_big", 8}, {"bon_banan", 8},
      {"bon_superball", 8}, {"keyblanc", 8}, {"k1el1", 8}, {"k4el5", 8}, {"cagedoor", 9}};

  std::map<std::string, const Line*> byKey;
  const auto lines = ReadManifest();
  for (const auto& line : lines) {
    EXPECT_TRUE(byKey.emplace(line.key, &line).second) << "listed twice: " << line.key;
  }
  for (const auto& name : named) EXPECT_TRUE(byKey.count(name)) << "missing: " << name;

  ASSERT_EQ(status_, 0);
  for (const auto& [name, frames] : minFrames) {
    ASSERT_TRUE(byKey.count(name)) << name;
    const Line& line = *byKey[name];
    Surface s = Load(line);
    ASSERT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS) << name;
    const int cells = (cairo_image_surface_get_width(s.get()) / line.pw) *
                      (cairo_image_surface_get_height(s.get()) / line.ph);
    EXPECT_GE(line.count ? line.count : cells, frames) << name;
  }
}

TEST_F(ArtTest, ManifestMatchesWhatTheToolDraws) {
  // `zbtool art --list` prints the lines of the pictures it draws; the manifest must hold exactly those.
  const fs::path listed = *out_ / "list.txt";
  ASSERT_EQ(std::system((std::string(ZB_ZBTOOL) + " art --list > " + listed.string()).c_str()), 0);
  std::ifstream in(listed);
  std::vector<std::string> fromTool;
  for (std::string l; std::getline(in, l);) fromTool.push_back(l);
  std::vector<std::string> fromManifest;
  std::ifstream manifest(SourceRoot() / "assets/art/images.manifest");
  for (std::string l; std::getline(manifest, l);) {
    if (!l.empty() && l[0] != '#') fromManifest.push_back(l);
  }
  EXPECT_EQ(fromManifest, fromTool);
}

TEST_F(ArtTest, EverySheetHasTheSizeItsLineImplies) {
  ASSERT_EQ(status_, 0);
  for (const auto& line : ReadManifest()) {
    Surface s = Load(line);
    ASSERT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS) << line.file;
    const int w = cairo_image_surface_get_width(s.get()), h = cairo_image_surface_get_height(s.get());
    EXPECT_LE(w, 2048) << line.key;
    EXPECT_LE(h, 2048) << line.key;
    ASSERT_EQ(w % line.pw, 0) << line.key;
    ASSERT_EQ(h % line.ph, 0) << line.key;
    const int cells = (w / line.pw) * (h / line.ph);
    const int count = line.count ? line.count : cells;
    // Cells fill rows of as many as fit in 2048 pixels; only the last row may be short.
    EXPECT_EQ(w / line.pw, Columns(line, count)) << line.key;
    EXPECT_EQ(h / line.ph, (count + Columns(line, count) - 1) / Columns(line, count)) << line.key;
    EXPECT_LE(count, cells) << line.key;
  }
}

TEST_F(ArtTest, SpritesOverSceneryHaveTransparentCornersAndAnimationsMove) {
  ASSERT_EQ(status_, 0);
  // Full-screen and panel pictures cover what is under them; everything else is drawn over scenery.
  const std::set<std::string> opaque = {"sky", "back", "endgame", "panel", "backgame", "scr_help1",
                                        "scr_help2", "scr_help3", "scr_help4", "scr_help5"};
  for (const auto& line : ReadManifest()) {
    Surface s = Load(line);
    ASSERT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS) << line.file;
    const int columns = cairo_image_surface_get_width(s.get()) / line.pw;
    const int cells = columns * (cairo_image_surface_get_height(s.get()) / line.ph);
    const int count = line.count ? line.count : cells;
    std::set<std::vector<uint32_t>> distinct;
    for (int i = 0; i < count; ++i) {
      const int x0 = (i % columns) * line.pw, y0 = (i / columns) * line.ph;
      if (!opaque.count(line.key)) {
        for (auto [x, y] : {std::pair{x0, y0}, {x0 + line.pw - 1, y0}, {x0, y0 + line.ph - 1},
                            {x0 + line.pw - 1, y0 + line.ph - 1}}) {
          EXPECT_EQ(Pixel(s.get(), x, y) >> 24, 0u) << line.key << " frame " << i << " at " << x << "," << y;
        }
      }
      std::vector<uint32_t> cell;
      for (int y = y0; y < y0 + line.ph; ++y) {
        for (int x = x0; x < x0 + line.pw; ++x) cell.push_back(Pixel(s.get(), x, y));
      }
      distinct.insert(std::move(cell));
    }
    // A sheet of several patterns shows something different in each of them.
    EXPECT_EQ(static_cast<int>(distinct.size()), count) << line.key << " repeats a frame";
  }
}

TEST_F(ArtTest, TheJungleLeavesItsSkyOpenForTheScrollingSky) {
  ASSERT_EQ(status_, 0);
  for (const auto& line : ReadManifest()) {
    if (line.key != "backgame") continue;
    Surface s = Load(line);
    ASSERT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(s.get()), 800);
    EXPECT_EQ(cairo_image_surface_get_height(s.get()), 600);
    // Above the tree line the sky pieces show; the jungle floor is solid.
    EXPECT_EQ(Pixel(s.get(), 620, 130) >> 24, 0u);
    EXPECT_EQ(Pixel(s.get(), 620, 560) >> 24, 255u);
    return;
  }
  FAIL() << "backgame is not in the manifest";
}

}  // namespace
}  // namespace zb

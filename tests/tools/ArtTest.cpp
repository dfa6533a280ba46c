// Checks the drawn art against its manifest: every image the game names is listed, every listed sheet is
// written with the size its line implies, sprites over scenery have transparent corners, animations move.

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zb {
namespace {

namespace fs = std::filesystem;

struct Line {
  std::string key, file;
  int pw = 0, ph = 0, count = 0;  // count 0: every cell
};

fs::path SourceRoot() { return ZB_SOURCE_DIR; }

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

// The sheets are those the content build drew with `zbtool art` into build/gen/art.
class ArtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(fs::path(ZB_ART_DIR) / ".drawn")) << "the art is not drawn";
  }

  static Surface Load(const Line& line) {
    // FILE is relative to the build's gen folder: "art/KEY.png".
    const fs::path file = fs::path(ZB_ART_DIR) / fs::path(line.file).filename();
    return Surface(cairo_image_surface_create_from_png(file.c_str()));
  }

  static uint32_t Pixel(cairo_surface_t* s, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(data + y * stride)[x];
  }

  static int Columns(const Line& l, int count) { return std::min(count, 2048 / l.pw); }
};

TEST_F(ArtTest, ManifestListsEveryImageTheGameNamesOnce) {
  std::vector<std::string> named = {
      "backgame",    "sky",         "panel",     "leafs",         "leafer",     "smallscr",   "cursor",
      "cursor1",     "ball",        "ball2",     "ballcrash",     "ball2crash", "bitka1",     "bitka4",
      "bitka1_1",    "bitka2_1",    "bitka3_1",  "bitka4_1",      "playerpula", "m_jump",     "m_stay",
      "m_run",       "m_hit",       "m_throw",   "m_ches",        "m_vipuch",   "m_finish",   "block1",
      "block2",      "block3",      "block4",    "block5",        "block6",     "block_n2",   "block_n22",
      "block_n51",   "block_n52",   "block_n53", "block_n54",     "gold",       "bomb",       "back",
      "endgame",     "logo",        "bonus1",    "bon_big",       "bon_small",  "bon_magnit", "bon_money",
      "bon_life",    "bon_bigball", "bon_3ball", "bon_superball", "bon_banan",  "keyblanc",   "cageback",
      "cagefront",   "cagedoor",    "panda",     "panda_1",       "panda_2",    "lion",       "lion_1",
      "lion_2",      "begemot",     "begemot_1", "begemot_2",     "gorilla",    "gorilla_1",  "gorilla_2",
      "hunter",      "hunter_1",    "hunter_2",  "monkey",        "monkey_1",   "monkey_2",   "cloud",
      "pressanykey", "scr_help1",   "scr_help2", "scr_help3",     "scr_help4",  "scr_help5"};
  for (int key = 1; key <= 4; ++key) {
    for (int part = 1; part <= 5; ++part)
      named.push_back("k" + std::to_string(key) + "el" + std::to_string(part));
  }
  const std::map<std::string, int> minFrames = {
      {"leafs", 5},    {"ball", 8},     {"ball2", 8},     {"ballcrash", 9}, {"ball2crash", 9},
      {"bitka1", 7},   {"m_jump", 14},  {"m_stay", 9},    {"m_run", 9},     {"m_hit", 8},
      {"m_throw", 9},  {"m_ches", 11},  {"m_vipuch", 7},  {"m_finish", 14}, {"block1", 8},
      {"block6", 8},   {"block_n2", 8}, {"block_n22", 8}, {"block_n51", 8}, {"block_n54", 8},
      {"gold", 8},     {"bonus1", 8},   {"bon_big", 8},   {"bon_banan", 8}, {"bon_superball", 8},
      {"keyblanc", 8}, {"k1el1", 8},    {"k4el5", 8},     {"cagedoor", 9}};

  std::map<std::string, const Line*> byKey;
  const auto lines = ReadManifest();
  for (const auto& line : lines) {
    EXPECT_TRUE(byKey.emplace(line.key, &line).second) << "listed twice: " << line.key;
  }
  for (const auto& name : named) EXPECT_TRUE(byKey.count(name)) << "missing: " << name;

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
  const fs::path listed = fs::temp_directory_path() / ("zb-art-list-" + std::to_string(::getpid()));
  ASSERT_EQ(std::system((std::string(ZB_ZBTOOL) + " art --list > " + listed.string()).c_str()), 0);
  std::ifstream in(listed);
  std::vector<std::string> fromTool;
  for (std::string l; std::getline(in, l);) fromTool.push_back(l);
  std::vector<std::string> fromManifest;
  std::ifstream manifest(SourceRoot() / "assets/art/images.manifest");
  for (std::string l; std::getline(manifest, l);) {
    if (!l.empty() && l[0] != '#') fromManifest.push_back(l);
  }
  fs::remove(listed);
  EXPECT_EQ(fromManifest, fromTool);
}

TEST_F(ArtTest, DrawsOnlyTheNamedImagesAndRefusesUnknownNames) {
  const fs::path out = fs::temp_directory_path() / ("zb-art-some-" + std::to_string(::getpid()));
  const std::string tool = std::string(ZB_ZBTOOL) + " art " + out.string();
  ASSERT_EQ(std::system((tool + " bomb ball > /dev/null").c_str()), 0);
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(out)) written.insert(entry.path().filename().string());
  EXPECT_EQ(written, (std::set<std::string>{"ball.png", "bomb.png"}));
  // The same drawing as the full run: the art does not depend on what else is drawn.
  std::ifstream a(out / "bomb.png", std::ios::binary), b(fs::path(ZB_ART_DIR) / "bomb.png", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
            std::string(std::istreambuf_iterator<char>(b), {}));
  fs::remove_all(out);
  EXPECT_NE(std::system((tool + " bomb nosuchimage 2> /dev/null").c_str()), 0);
  EXPECT_FALSE(fs::exists(out / "bomb.png")) << "nothing is drawn when a name is unknown";
  fs::remove_all(out);
}

TEST_F(ArtTest, EverySheetHasTheSizeItsLineImplies) {
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
  // Full-screen and panel pictures cover what is under them; everything else is drawn over scenery.
  const std::set<std::string> opaque = {"sky",       "back",      "endgame",   "panel",     "backgame",
                                        "scr_help1", "scr_help2", "scr_help3", "scr_help4", "scr_help5"};
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
        for (auto [x, y] : {std::pair{x0, y0},
                            {x0 + line.pw - 1, y0},
                            {x0, y0 + line.ph - 1},
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

// Loads one sheet of the drawn art by image name.
class ArtGeometryTest : public ArtTest {
 protected:
  Surface Sheet(const std::string& key) {
    for (const auto& line : ReadManifest()) {
      if (line.key == key) return Load(line);
    }
    ADD_FAILURE() << key << " is not in the manifest";
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  }
  static bool Solid(cairo_surface_t* s, int x, int y) {
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s)) {
      return false;
    }
    return (Pixel(s, x, y) >> 24) > 128;
  }
  // Columns of cell `frame` (cells cw wide in one row) that hold a solid pixel: first and last.
  static std::pair<int, int> SolidColumns(cairo_surface_t* s, int cw, int frame) {
    int first = -1, last = -1;
    for (int x = 0; x < cw; ++x) {
      for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        if (Solid(s, frame * cw + x, y)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }
};

TEST_F(ArtGeometryTest, TheDrawnBatMatchesItsBodiesAndCarriesTheBallOnItsTop) {
  Surface overlay = Sheet("bitka1");
  const int cw = 136;
  // Frames 3, 6 and 0 are as wide as the normal, big and small bodies (the bamboo caps stick out 1 pixel).
  for (auto [frame, body] : {std::pair{3, "bitka1_1"}, {6, "bitka2_1"}, {0, "bitka3_1"}}) {
    const auto [first, last] = SolidColumns(overlay.get(), cw, frame);
    const int width = cairo_image_surface_get_width(Sheet(body).get());
    EXPECT_NEAR(last - first + 1, width, 3) << "frame " << frame << " against " << body;
    EXPECT_NEAR((first + last) / 2.0, cw / 2.0, 1.5) << "frame " << frame << " is centred";
  }
  Surface magnet = Sheet("bitka4");
  const auto [mFirst, mLast] = SolidColumns(magnet.get(), 108, 0);
  EXPECT_NEAR(mLast - mFirst + 1, cairo_image_surface_get_width(Sheet("bitka4_1").get()), 3);
  // The overlay stands 8 pixels above the body: its top surface is row 8 of the cell, where the ball's
  // bottom rests. The middle column is clear above it.
  int top = -1;
  for (int y = 0; y < 32 && top < 0; ++y) {
    if (Solid(overlay.get(), 3 * cw + cw / 2, y)) top = y;
  }
  EXPECT_NEAR(top, 8, 1);
}

TEST_F(ArtGeometryTest, EyesMouthsAndMovingPartsSitOnTheirBodies) {
  struct Overlay {
    const char* body;
    const char* part;
    int dx, dy;
  };
  const Overlay overlays[] = {
      {"panda", "panda_1", 14, 29},     {"panda", "panda_2", 7, 6},        {"lion", "lion_1", 29, 32},
      {"lion", "lion_2", 22, 1},        {"begemot", "begemot_1", 123, 18}, {"begemot", "begemot_2", 115, 38},
      {"gorilla", "gorilla_1", 49, 21}, {"gorilla", "gorilla_2", 50, 36},  {"hunter", "hunter_1", 124, 147},
      {"hunter", "hunter_2", 122, 88},  {"monkey", "monkey_1", 112, 85},   {"monkey", "monkey_2", 122, 41}};
  for (const auto& o : overlays) {
    Surface body = Sheet(o.body), part = Sheet(o.part);
    int solid = 0, onBody = 0;
    for (int y = 0; y < cairo_image_surface_get_height(part.get()); ++y) {
      for (int x = 0; x < cairo_image_surface_get_width(part.get()); ++x) {
        if (!Solid(part.get(), x, y)) continue;
        ++solid;
        onBody += Solid(body.get(), o.dx + x, o.dy + y) ? 1 : 0;
      }
    }
    EXPECT_GT(solid, 20) << o.part << " shows something";
    // Ears and jaws may reach a little past the body's outline, but the overlay never floats beside it.
    EXPECT_GE(onBody, solid * 85 / 100) << o.part << " over " << o.body;
  }
}

}  // namespace
}  // namespace zb

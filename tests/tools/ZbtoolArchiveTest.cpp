// zbtool pack, list and export, run as the build and a modder run them.

#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/PngWriter.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class ZbtoolArchiveTest : public ::testing::Test {
 protected:
  // Exit status; standard output and error land in out_ and err_.
  int Run(const std::string& arguments) {
    const fs::path out = dir_.Path() / "stdout.txt", err = dir_.Path() / "stderr.txt";
    const std::string command =
        std::string(ZB_ZBTOOL) + " " + arguments + " > " + out.string() + " 2> " + err.string();
    const int status = std::system(command.c_str());
    out_ = Read(out);
    err_ = Read(err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Text(const std::string& name, const std::string& text) {
    fs::create_directories((dir_.Path() / name).parent_path());
    std::ofstream(dir_.Path() / name, std::ios::binary) << text;
  }
  std::string P(const std::string& name) const { return (dir_.Path() / name).string(); }
  // The pixels of a PNG as cairo reads them (premultiplied).
  static std::vector<uint32_t> ReadPngPixels(const fs::path& file, int& w, int& h) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    w = cairo_image_surface_get_width(s);
    h = cairo_image_surface_get_height(s);
    std::vector<uint32_t> out;
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < h && data; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
      out.insert(out.end(), row, row + w);
    }
    cairo_surface_destroy(s);
    return out;
  }

  test::TempDir dir_;
  std::string out_, err_;
};

TEST_F(ZbtoolArchiveTest, PacksRecordsInManifestOrderWithTheDocumentedLayout) {
  // A 4 x 4 sheet of 2 x 2 cells; cell i has colour i + 1 in its top-left pixel, one of them half transparent.
  std::vector<uint32_t> sheet(16, 0xFF000000u);
  sheet[0] = 0xFF112233u;
  sheet[2] = 0x80FF8040u;
  sheet[8] = 0xFF0000FFu;
  fs::create_directories(dir_.Path() / "gen/pics");
  ASSERT_TRUE(WritePng(P("gen/pics/sheet.png"), sheet.data(), 4, 4));
  Text("src/bytes.bin", "hello");
  Text("src/more/inc.manifest", "raw \xD0\xA8\xD0\xB0\xD1\x80 7 ../bytes.bin\n");  // UTF-8 key
  Text("src/main.manifest",
       "# a comment\n"
       "\n"
       "include more/inc.manifest   # records of another manifest\n"
       "image\tsheet pics/sheet.png 2 2 0 0 3\n"
       "raw particles.pss 0 bytes.bin\n");
  ASSERT_EQ(Run("pack " + P("src/main.manifest") + " " + P("out.zbx") + " --root " + P("gen")), 0) << err_;

  // The layout by hand: header, then record headers with their zlib data, then the table.
  const std::string bytes = Read(dir_.Path() / "out.zbx");
  auto u32 = [&](size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
  };
  ASSERT_EQ(bytes.substr(0, 4), "ZBDB");
  ASSERT_EQ(u32(4), 3u);
  size_t table = u32(8);
  const std::string keys[3] = {"\xD8\xE0\xF0", "sheet", "particles.pss"};
  for (const std::string& key : keys) {
    ASSERT_EQ(u32(table), key.size());
    EXPECT_EQ(bytes.substr(table + 4, key.size()), key);
    table += 8 + key.size();
  }
  EXPECT_EQ(table, bytes.size());
  const size_t first = u32(u32(8) + 4 + 3);
  EXPECT_EQ(first, 12u);
  EXPECT_EQ(uint8_t(bytes[first]), 7);  // type
  EXPECT_EQ(u32(first + 2), 5u);        // unpacked size
  const uint32_t stored = u32(first + 6);
  std::vector<uint8_t> inflated(5);
  uLongf length = 5;
  ASSERT_EQ(uncompress(inflated.data(), &length, reinterpret_cast<const Bytef*>(bytes.data() + first + 44), stored),
            Z_OK);
  EXPECT_EQ(std::string(inflated.begin(), inflated.end()), "hello");
  const auto digest = test::Md5(inflated);
  EXPECT_EQ(bytes.substr(first + 18, 16), std::string(digest.begin(), digest.end()));
  const size_t next = first + 44 + stored;  // the image record follows: type 1, 33 + 16 x 4 bytes
  EXPECT_EQ(uint8_t(bytes[next]), 1);
  EXPECT_EQ(u32(next + 2), 97u);

  ASSERT_EQ(Run("list " + P("out.zbx")), 0);
  std::string expected = "0\t\xD8\xE0\xF0\t7\t5\t" + std::to_string(stored) + "\t";
  for (uint8_t b : digest) {
    static const char* const kHex = "0123456789abcdef";
    expected += kHex[b >> 4];
    expected += kHex[b & 15];
  }
  expected += "\tok\n";
  EXPECT_EQ(out_.substr(0, out_.find('\n') + 1), expected);
  EXPECT_NE(out_.find("1\tsheet\t1\t" + std::to_string(33 + 16 * 4) + "\t"), std::string::npos) << out_;
  EXPECT_NE(out_.find("2\tparticles.pss\t0\t5\t"), std::string::npos) << out_;

  // The sheet is one A8R8G8B8 texture with three patterns; pattern 1 is the second cell, its colour straight.
  TArchiveDb db(dir_.Path() / "out.zbx", TOpenModes::opReadOnly);
  TMemoryStream stream;
  ASSERT_TRUE(db.ReadRecord("SHEET", stream));
  EXPECT_EQ(stream.Data()[0], 5);
  stream.SetPosition(0);
  TGfxImage image;
  ASSERT_TRUE(image.LoadFromStream(stream));
  EXPECT_EQ(image.PatternCount(), 3);
  EXPECT_EQ(image.TextureWidth(), 4);
  const uint32_t loaded = image.Pixels(0)[2];
  EXPECT_EQ(loaded >> 24, 0x80u);
  EXPECT_NEAR(int((loaded >> 16) & 0xFF), 0xFF, 1);
  EXPECT_NEAR(int((loaded >> 8) & 0xFF), 0x80, 1);
  EXPECT_NEAR(int(loaded & 0xFF), 0x40, 1);

  ASSERT_EQ(Run("export " + P("out.zbx") + " sheet 2 " + P("cell.png")), 0) << err_;
  int w = 0, h = 0;
  const std::vector<uint32_t> cell = ReadPngPixels(dir_.Path() / "cell.png", w, h);
  ASSERT_EQ(w, 2);
  ASSERT_EQ(h, 2);
  EXPECT_EQ(cell[0], 0xFF0000FFu);  // the third cell's top-left pixel
}

TEST_F(ZbtoolArchiveTest, ManifestMistakesStopThePackWithAMessageNamingThem) {
  Text("bytes.bin", "x");
  struct Case {
    std::string manifest, message;
  };
  const std::vector<Case> cases = {
      {"include missing.manifest\n", "missing.manifest"},
      {"raw a 0 nowhere.bin\n", "nowhere.bin"},
      {"image a nowhere.png 4 4\n", "nowhere.png"},
      {"raw a 0 bytes.bin\nraw A 0 bytes.bin\n", "duplicate key"},
      {"raw a x bytes.bin\n", "\"x\" is not a whole number"},
      {"image a bytes.bin 4\n", "image KEY FILE.png PW PH"},
      {"picture a bytes.bin\n", "unknown line kind"},
      {"include m.manifest\n", "included from itself"},
      {"font a bytes.bin 12\n", "cannot read the font"},
      {std::string("font a ") + "/usr/share/fonts/opentype/lobster/lobster.otf 20\n", "has no glyph for U+04"},
  };
  for (const Case& c : cases) {
    Text("m.manifest", c.manifest);
    EXPECT_EQ(Run("pack " + P("m.manifest") + " " + P("out.zbx")), 1) << c.manifest;
    EXPECT_NE(err_.find(c.message), std::string::npos) << c.manifest << " -> " << err_;
    EXPECT_NE(err_.find("m.manifest"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(dir_.Path() / "out.zbx")) << c.manifest;
  }
  Text("empty.manifest", "# nothing yet\n");
  ASSERT_EQ(Run("pack " + P("empty.manifest") + " " + P("out.zbx")), 0);
  EXPECT_EQ(fs::file_size(dir_.Path() / "out.zbx"), 12u);
}

TEST_F(ZbtoolArchiveTest, ListAndExportReportBadRecordsAndWrongRequests) {
  test::RawRecord bad{"bad", 1, {1, 2, 3}};
  bad.digest = test::Md5({9});
  dir_.Write("a.zbx", test::BuildArchive({{"raw", 0, {1}}, bad}));
  ASSERT_EQ(Run("list " + P("a.zbx")), 0);
  EXPECT_NE(out_.find("0\traw\t0\t1\t"), std::string::npos);
  EXPECT_NE(out_.find("\tok\n1\tbad\t1\t3\t"), std::string::npos) << out_;
  EXPECT_EQ(out_.substr(out_.size() - 4), "bad\n");

  dir_.Write("broken.zbx", {'Z', 'B', 'D', 'B', 5, 0, 0, 0, 12, 0, 0, 0});
  EXPECT_EQ(Run("list " + P("broken.zbx")), 1);
  EXPECT_NE(err_.find("broken.zbx"), std::string::npos);
  EXPECT_EQ(Run("list " + P("none.zbx")), 1);

  EXPECT_EQ(Run("export " + P("a.zbx") + " missing 0 " + P("x.png")), 1);
  EXPECT_NE(err_.find("no record \"missing\""), std::string::npos);
  EXPECT_EQ(Run("export " + P("a.zbx") + " raw 0 " + P("x.png")), 1);
  EXPECT_NE(err_.find("not an image or a font"), std::string::npos);
  EXPECT_EQ(Run("export " + P("a.zbx") + " bad 0 " + P("x.png")), 1);
  EXPECT_NE(err_.find("is bad"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_.Path() / "x.png"));
}

TEST_F(ZbtoolArchiveTest, ASheetTallerThanATextureIsSplitIntoWholeCells) {
  // 21 cells of 100 x 100 in one column: 20 fit a texture, the 21st starts the second.
  std::vector<uint32_t> sheet(100 * 2100);
  for (int cell = 0; cell < 21; ++cell) {
    std::fill_n(sheet.begin() + cell * 100 * 100, 100 * 100, 0xFF000000u | uint32_t(cell * 10) << 8);
  }
  ASSERT_TRUE(WritePng(P("tall.png"), sheet.data(), 100, 2100));
  Text("m.manifest", "image tall tall.png 100 100\n");
  ASSERT_EQ(Run("pack " + P("m.manifest") + " " + P("out.zbx")), 0) << err_;
  TArchiveDb db(dir_.Path() / "out.zbx", TOpenModes::opReadOnly);
  TMemoryStream stream;
  ASSERT_TRUE(db.ReadRecord("tall", stream));
  stream.SetPosition(0);
  TGfxImage image;
  ASSERT_TRUE(image.LoadFromStream(stream));
  EXPECT_EQ(image.TextureCount(), 2);
  EXPECT_EQ(image.TextureHeight(), 2000);
  EXPECT_EQ(image.PatternCount(), 21);
  EXPECT_EQ(image.Pixels(1)[0], 0xFF00C800u);  // cell 20
  ASSERT_EQ(Run("export " + P("out.zbx") + " tall 20 " + P("cell.png")), 0) << err_;
  int w = 0, h = 0;
  const auto cell = ReadPngPixels(dir_.Path() / "cell.png", w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(cell.at(50 * 100 + 50), 0xFF00C800u);
}

TEST_F(ZbtoolArchiveTest, FontsAreBakedForEveryCp1251Code) {
  Text("m.manifest", std::string("font Text ") + kFont + " 16 2\n");
  ASSERT_EQ(Run("pack " + P("m.manifest") + " " + P("out.zbx")), 0) << err_;
  TArchiveDb db(dir_.Path() / "out.zbx", TOpenModes::opReadOnly);
  TMemoryStream stream;
  ASSERT_TRUE(db.ReadRecord("text", stream));
  stream.SetPosition(0);
  TGfxFont font;
  ASSERT_TRUE(font.LoadFromStream(stream));
  EXPECT_EQ(font.FirstChar, 32);
  EXPECT_EQ(font.Spacing, 2);
  ASSERT_EQ(font.Glyphs.size(), 224u);
  EXPECT_EQ(font.Image.PatternCount(), 224);
  // Ink in the cell of a Cyrillic capital (0xC6) and of 'W', none in that of the space.
  auto ink = [&](int code) {
    TPatternPlacement place;
    TPatternSource source;
    source.Pattern = code - 32;
    font.Image.Place(source, place);
    const int left = static_cast<int>(place.U[0] * font.Image.TextureWidth() + 0.5f);
    const int top = static_cast<int>(place.V[0] * font.Image.TextureHeight() + 0.5f);
    int sum = 0;
    for (int y = 0; y < font.Image.VisibleHeight(); ++y) {
      for (int x = 0; x < font.Image.VisibleWidth(); ++x) {
        sum += font.Image.Pixels(0)[size_t(top + y) * size_t(font.Image.TextureWidth()) + size_t(left + x)] >> 24;
      }
    }
    return sum;
  };
  EXPECT_GT(ink(0xC6), 1000);
  EXPECT_GT(ink('W'), 1000);
  EXPECT_EQ(ink(' '), 0);
  EXPECT_GT(font.Glyphs[0xC6 - 32].Width, font.Glyphs['i' - 32].Width);
  EXPECT_EQ(font.Glyphs[0].Height, font.Glyphs['W' - 32].Height);  // one line height for all
  ASSERT_EQ(Run("export " + P("out.zbx") + " text " + std::to_string(0xC6 - 32) + " " + P("zhe.png")), 0) << err_;
}

}  // namespace
}  // namespace zb

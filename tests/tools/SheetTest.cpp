// zbtool sheet on hand-built archives: patterns land where the layout puts them, in their own colours, and
// a broken record is captioned instead of hiding the rest.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

std::string RunSheet(const std::string& args, int& status) {
  const std::string command = std::string(ZB_ZBTOOL) + " sheet " + args + " 2>&1";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[256];
  while (pipe && fgets(buffer, sizeof buffer, pipe)) out += buffer;
  status = pipe ? pclose(pipe) : -1;
  return out;
}

uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(s);
  return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(s))[x] & 0xFFFFFFu;
}

TEST(SheetCommand, DrawsEachPatternInItsRowAndCaptionsUnreadableRecords) {
  test::TempDir dir;
  // "dots": format 5, 2 x 2 patterns, visible 2 x 2, two patterns on a 4 x 2 texture: red, then green.
  test::Bytes dots;
  dots.U8(5).I32(2).I32(2).I32(2).I32(2).I32(2).I32(4).I32(2).I32(1);
  for (int y = 0; y < 2; ++y) dots.U32(0xFFFF0000u).U32(0xFFFF0000u).U32(0xFF00FF00u).U32(0xFF00FF00u);
  test::Bytes broken;
  broken.U8(5).I32(2);  // cut short inside the header
  test::Bytes font;
  font.I32(32);
  const auto archive = dir.Write(
      "a.zbx",
      test::BuildArchive({{"dots", 1, dots.data}, {"broken", 1, broken.data}, {"somefont", 3, font.data}}));
  const auto png = dir.Path() / "sheet.png";
  int status = -1;
  const std::string out = RunSheet(archive.string() + " " + png.string(), status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_NE(out.find("2 images"), std::string::npos) << out;
  EXPECT_NE(out.find("1 unreadable"), std::string::npos) << out;

  cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
  // Margin 8, caption 22: the patterns of the first image start at (8, 30), 4 pixels apart.
  EXPECT_EQ(Pixel(s, 8, 30), 0xFF0000u);
  EXPECT_EQ(Pixel(s, 9, 31), 0xFF0000u);
  EXPECT_EQ(Pixel(s, 14, 30), 0x00FF00u);
  EXPECT_EQ(Pixel(s, 15, 31), 0x00FF00u);
  EXPECT_NE(Pixel(s, 10, 30), 0xFF0000u);  // the gap shows the checkerboard
  // The second caption follows the row; nothing is drawn for the unreadable record, and the sheet ends.
  EXPECT_EQ(cairo_image_surface_get_height(s), 44 + 22 + 8);
  cairo_surface_destroy(s);
}

TEST(SheetCommand, FailsOnAMissingArchiveOrOneWithoutImages) {
  test::TempDir dir;
  int status = 0;
  RunSheet((dir.Path() / "none.zbx").string() + " " + (dir.Path() / "x.png").string(), status);
  EXPECT_NE(status, 0);
  const auto fontsOnly =
      dir.Write("f.zbx", test::BuildArchive({{"somefont", 3, test::Bytes().I32(32).data}}));
  const std::string out = RunSheet(fontsOnly.string() + " " + (dir.Path() / "y.png").string(), status);
  EXPECT_NE(status, 0);
  EXPECT_NE(out.find("no image records"), std::string::npos) << out;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "y.png"));
}

}  // namespace
}  // namespace zb

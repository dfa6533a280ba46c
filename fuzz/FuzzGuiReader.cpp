// Arbitrary bytes as a GUI layout file; the loaded tree is drawn and takes pointer and key input.
#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

#include "gui/GuiReader.h"
#include "gui/GuiTaskbar.h"
#include "tests/gui/FakePainter.h"

namespace {

// The input read where it lies: copying it into a string stream took two blocks of up to 4 KB an
// input, each filled and faulted in afresh by the sanitizer's allocator.
class TBytesBuffer : public std::streambuf {
 public:
  TBytesBuffer(const uint8_t* data, size_t size) {
    char* begin = const_cast<char*>(reinterpret_cast<const char*>(data));
    setg(begin, begin, begin + size);
  }
};

zb::test::FakePainter MakePainter() {
  zb::test::FakePainter painter;
  painter.fontCount = 4;
  for (int image = 0; image < 64; ++image) painter.images[image] = {1 + image % 7 * 9, 1 + image % 5 * 11};
  return painter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBytesBuffer bytes(data, size);
  std::istream in(&bytes);
  zb::TGuiTaskbar root;
  std::string error;
  zb::LoadFromStream(root, in, &error);
  // Made once: its table of 64 image sizes cost more to build for each input than reading the layout.
  static zb::test::FakePainter painter = MakePainter();
  painter.Clear();
  painter.clip = {0, 0, 800, 600};
  auto frame = [&] {
    root.UpdateAll();
    root.DrawAll(painter);
    painter.Clear();
  };
  frame();
  for (int x : {0, 5, 100, 400, 799}) {
    root.MouseMove(0, x, x * 3 / 4);
    root.MouseDown(0, 0, x, x * 3 / 4);
    root.MouseUp(0, 0, x, x * 3 / 4);
  }
  root.KeyDown(9, 0);
  root.KeyPress('a');
  root.KeyUp(9, 0);
  frame();
  return 0;
}

#pragma once

#include <string>
#include <vector>

namespace zb {
class TGfxFonts;
class TLanguage;
}

namespace zb::tool {

struct GuiLayoutSource {
  std::string name;  // for messages: the file name
  std::string text;  // UTF-8
};

struct GuiLayoutResult {
  std::string bytes;  // the GUI file
  std::string error;  // "NAME:LINE: reason" when the sources do not compile
};

// Compiles GUI layouts written as text (assets/gui/README.md) into one GUI file whose control
// list holds the top-level controls of all sources in order. Pictures are named "@key" and
// become their index in `imageKeys`, the image list's order. With the game's font list, every
// text must also fit its control (CheckTextFit); without one, texts are not measured.
GuiLayoutResult CompileGuiLayouts(const std::vector<GuiLayoutSource>& sources,
                                  const std::vector<std::string>& imageKeys, TGfxFonts* fonts = nullptr,
                                  const std::vector<TLanguage>& languages = {});

}  // namespace zb::tool

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zb {
class TGfxFonts;
class TGuiControl;
class TLanguage;
}  // namespace zb

namespace zb::tool {

// A control as the layout compiler built it, with where it was written and the longest text the
// screens put on it at run time (the layout's "Longest"), CP1251.
struct LayoutControl {
  TGuiControl* control = nullptr;
  std::string file;
  int line = 0;
  std::optional<std::string> longest;
};

// Draws the text of every control (its own, its "Longest", or a tall probe when it has none) with
// the controls' own drawing code and the game's fonts, and checks that each control lies inside its
// parent and that its text is drawn whole inside it (a button keeps clear of its picture's rim).
// Returns the first fault as "FILE:LINE: NAME: reason", or an empty text when everything fits.
std::string CheckTextFit(const std::vector<LayoutControl>& controls, TGfxFonts& fonts);
// The same with every text (and "Longest") shown in `language`; the controls keep their own texts.
std::string CheckTextFitIn(const std::vector<LayoutControl>& controls, TGfxFonts& fonts, const TLanguage& language);

}  // namespace zb::tool

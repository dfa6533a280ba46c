#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zb {

class TGuiControl;

// Shows the texts of a GUI tree in another language and back. The texts the GUI file gives are
// remembered the first time; a text the screens have written since (a greeting, a table) is taken
// as it stands, so a language change never brings back a stale text. What players type (edits) is
// never touched.
class TGuiTranslation {
 public:
  using Translate = std::function<std::string(const std::string&)>;

  // Every caption, label text and list item under `root` (CP1251, Russian) through `translate`.
  void Apply(TGuiControl& root, const Translate& translate);

 private:
  struct Texts {
    std::vector<std::string> original;
    std::vector<std::string> shown;
  };
  void ApplyTo(TGuiControl& control, const Translate& translate);

  std::map<const TGuiControl*, Texts> kept_;  // the controls live as long as their root
};

}  // namespace zb

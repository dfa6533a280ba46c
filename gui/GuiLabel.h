#pragma once

#include <string>
#include <vector>

#include "gui/GuiControls.h"

namespace zb {

// Text on one line by alignment, or wrapped into lines, optionally typed out character by
// character.
class TGuiLabel : public TGuiControl {
 public:
  TGuiLabel();

  void SetText(std::string text);
  const std::string& Text() const { return text_; }
  // The part of the text shown so far: all of it unless Progressive.
  std::string ShownText() const;
  const std::vector<std::string>& Words() const { return words_; }
  size_t ShownCount() const { return shown_; }

  void DoUpdate() override;
  void DoDraw(TGuiPainter& painter) override;

  TGuiValue GetProperty(int32_t id) const override;
  void SetProperty(int32_t id, const TGuiValue& value) override;

  bool WordWrap = false;
  int32_t TextAdjust = 0;
  int32_t Alignment = 0;  // 0 left, 1 right, 2 centre, 3 justified
  double LineSpacing = 0.0;
  bool Progressive = false;
  int32_t ShowDelay = 2;

 private:
  void BuildWords();
  void DrawSingleLine(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r);
  void DrawWrapped(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r);
  void DrawJustified(TGuiPainter& painter, const TGuiFont& font, const TGuiRect& r, size_t first,
                     size_t count, double y);

  std::string text_;
  std::vector<std::string> words_;
  int32_t ticks_ = 0;
  size_t shown_ = 0;
};

}  // namespace zb

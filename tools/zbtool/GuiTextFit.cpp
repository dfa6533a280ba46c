#include "tools/zbtool/GuiTextFit.h"

#include <cmath>

#include "engine/Cp1251.h"
#include "engine/GfxFonts.h"
#include "engine/Language.h"
#include "gui/GuiButton.h"
#include "gui/GuiControls.h"

namespace zb::tool {
namespace {

// A caption keeps this far from the sides of its button: the rim of the button pictures and some air.
constexpr int kButtonRim = 10;
// What a control without any text is measured with: a tall capital and a letter that descends ("Жу").
const char kProbe[] = "\xC6\xF3";

// Measures with the font list alone, as the game's painter would, and keeps what is drawn.
class MeasuringPainter : public TGuiPainter {
 public:
  struct Drawn {
    std::string text;
    double x, y, w, h;
  };

  explicit MeasuringPainter(TGfxFonts& fonts) : fonts_(fonts) {}

  std::vector<Drawn> drawn;
  std::optional<int> missingFont;

  TGuiRect GetClipRect() const override { return clip_; }
  void SetClipRect(const TGuiRect& rect) override { clip_ = rect; }
  void FillRect(const TGuiRect&, const TColors4&, int) override {}
  void Line(double, double, double, double, uint32_t, uint32_t, int) override {}
  void FillTriangle(double, double, double, double, double, double, uint32_t, int) override {}
  std::optional<TGuiSize> PatternSize(int) const override { return std::nullopt; }
  void DrawPattern(int, int, const TGuiRect&, const TColors4&, int) override {}
  bool Applies(const TGuiFont& font) override { return Apply(font) != nullptr; }
  double TextWidth(const TGuiFont& font, std::string_view text) override {
    TGfxFont* entry = Apply(font);
    return entry ? entry->TextWidth(text) : 0.0;
  }
  double TextHeight(const TGuiFont& font, std::string_view text) override {
    TGfxFont* entry = Apply(font);
    return entry ? entry->TextHeight(text) : 0.0;
  }
  double LineHeight(const TGuiFont& font) override {
    TGfxFont* entry = Apply(font);
    return entry ? entry->Image.VisibleHeight() : 0.0;
  }
  void TextOut(const TGuiFont& font, std::string_view text, double x, double y, int) override {
    if (TGfxFont* entry = Apply(font)) {
      drawn.push_back({std::string(text), x, y, entry->TextWidth(text), entry->TextHeight(text)});
    }
  }

 private:
  TGfxFont* Apply(const TGuiFont& font) {
    TGfxFont* entry = fonts_.FontAt(font.FontIndex);
    if (!entry || !entry->Loaded()) {
      missingFont = font.FontIndex;
      return nullptr;
    }
    entry->Scale = static_cast<float>(font.Scale);
    entry->Style = font.Style;
    entry->ExtraSpacing = static_cast<float>(font.Spacing);
    return entry;
  }

  TGfxFonts& fonts_;
  TGuiRect clip_{0, 0, 800, 600};
};

size_t Letters(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += c != ' ' && c != '\n' && c != '\r' && c != 8 ? 1 : 0;
  return count;
}

std::string NameOf(const TGuiControl& control) {
  return control.Name.empty() ? control.TypeName() : control.Name;
}

// The property that holds the control's text, or nothing for a control without one.
const char* TextProperty(const TGuiControl& control) {
  if (control.TypeName() == "TGuiForm") return nullptr;  // its caption is never drawn
  for (const char* name : {"Caption", "Text", "Items"}) {
    if (control.PropertyByName(name)) return name;
  }
  return nullptr;
}

class Checker {
 public:
  Checker(const LayoutControl& item, MeasuringPainter& painter)
      : item_(item), control_(*item.control), painter_(painter) {}

  std::string Run() {
    const TGuiRect r = control_.AbsoluteRect();
    const TGuiControl* parent = control_.Parent();
    if (parent && parent->Parent()) {
      if (r.Intersect(parent->AbsoluteRect()) != r) return Fail("lies outside " + NameOf(*parent));
    } else if (r.Left < 0 || r.Top < 0 || r.Right > 800 || r.Bottom > 600) {
      return Fail("lies outside the 800 x 600 screen");
    }
    const char* property = TextProperty(control_);
    if (!property) return {};
    if (control_.TypeName() == "TGuiGauge" && !ValueToBoolean(control_.GetPropertyByName("ShowText"))) return {};
    std::vector<std::string> texts;
    const TGuiValue own = control_.GetPropertyByName(property);
    if (std::string_view(property) == "Items") {
      for (const std::string& text : ValueToStrings(own)) {
        if (!text.empty()) texts.push_back(text);
      }
    } else if (std::string text = ValueToString(own); !text.empty()) {
      texts.push_back(text);
    }
    if (item_.longest) texts.push_back(*item_.longest);
    if (texts.empty()) texts.push_back(kProbe);
    // A text typed out letter by letter is measured whole.
    const bool progressive = control_.PropertyByName("Progressive") &&
                             ValueToBoolean(control_.GetPropertyByName("Progressive"));
    if (progressive) control_.SetPropertyByName("Progressive", false);
    std::string fault;
    for (const std::string& text : texts) {
      fault = Measure(property, text);
      if (!fault.empty()) break;
    }
    control_.SetPropertyByName(property, own);
    if (progressive) control_.SetPropertyByName("Progressive", true);
    return fault;
  }

 private:
  std::string Fail(const std::string& why) const {
    return item_.file + ":" + std::to_string(item_.line) + ": " + NameOf(control_) + ": " + why;
  }

  std::string Measure(const char* property, const std::string& text) {
    if (std::string_view(property) == "Items") {
      control_.SetPropertyByName(property, std::vector<std::string>{text});
    } else {
      control_.SetPropertyByName(property, text);
    }
    painter_.drawn.clear();
    painter_.missingFont.reset();
    painter_.SetClipRect(control_.ClipRect());
    control_.DoDraw(painter_);
    if (painter_.missingFont) {
      return Fail("font " + std::to_string(*painter_.missingFont) + " is not in the font list");
    }
    TGuiRect room = control_.AbsoluteRect();
    if (dynamic_cast<const TGuiButton*>(&control_)) {
      room.Left += kButtonRim;
      room.Right -= kButtonRim;
    }
    const std::string shown = "\"" + Cp1251ToUtf8(text) + "\"";
    size_t letters = 0;
    for (const auto& d : painter_.drawn) {
      letters += Letters(d.text);
      if (d.x < room.Left - 0.5 || d.x + d.w > room.Right + 0.5 || d.y < room.Top - 0.5 ||
          d.y + d.h > room.Bottom + 0.5) {
        return Fail(shown + " does not fit: " + std::to_string(std::lround(d.w)) + " x " +
                    std::to_string(std::lround(d.h)) + " pixels in a room of " + std::to_string(room.Width()) +
                    " x " + std::to_string(room.Height()));
      }
    }
    if (letters < Letters(text)) return Fail(shown + " does not fit: only part of it is drawn");
    return {};
  }

  const LayoutControl& item_;
  TGuiControl& control_;
  MeasuringPainter& painter_;
};

}  // namespace

std::string CheckTextFit(const std::vector<LayoutControl>& controls, TGfxFonts& fonts) {
  MeasuringPainter painter(fonts);
  for (const LayoutControl& item : controls) {
    std::string fault = Checker(item, painter).Run();
    if (!fault.empty()) return fault;
  }
  return {};
}

std::string CheckTextFitIn(const std::vector<LayoutControl>& controls, TGfxFonts& fonts, const TLanguage& language) {
  std::vector<LayoutControl> shown = controls;
  std::vector<std::pair<const char*, TGuiValue>> own;
  for (LayoutControl& item : shown) {
    if (item.longest) item.longest = language.TrCp1251(*item.longest);
    const char* property = TextProperty(*item.control);
    own.emplace_back(property, property ? item.control->GetPropertyByName(property) : TGuiValue{});
    if (!property) continue;
    if (std::string_view(property) == "Items") {
      std::vector<std::string> items = ValueToStrings(own.back().second);
      for (std::string& text : items) text = language.TrCp1251(text);
      item.control->SetPropertyByName(property, items);
    } else {
      item.control->SetPropertyByName(property, language.TrCp1251(ValueToString(own.back().second)));
    }
  }
  std::string fault = CheckTextFit(shown, fonts);
  for (size_t i = 0; i < shown.size(); ++i) {
    if (own[i].first) shown[i].control->SetPropertyByName(own[i].first, own[i].second);
  }
  return fault.empty() ? fault : "in \"" + language.Code() + "\": " + fault;
}

}  // namespace zb::tool

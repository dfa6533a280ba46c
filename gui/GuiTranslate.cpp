#include "gui/GuiTranslate.h"

#include <string_view>

#include "gui/GuiControls.h"

namespace zb {
namespace {

// The property that holds what the control shows, or nullptr: a form's caption is never drawn and
// an edit holds what the player typed.
const char* ShownText(const TGuiControl& control) {
  const std::string& type = control.TypeName();
  if (type == "TGuiForm" || type == "TGuiEdit" || type == "TGuiButtonEdit") return nullptr;
  for (const char* name : {"Caption", "Text", "Items"}) {
    if (control.PropertyByName(name)) return name;
  }
  return nullptr;
}

}  // namespace

void TGuiTranslation::Apply(TGuiControl& root, const Translate& translate) {
  for (int i = 0; i < root.ControlCount(); ++i) {
    TGuiControl& child = *root.GetControl(i);
    ApplyTo(child, translate);
    Apply(child, translate);
  }
}

void TGuiTranslation::ApplyTo(TGuiControl& control, const Translate& translate) {
  const char* property = ShownText(control);
  if (!property) return;
  const bool list = std::string_view(property) == "Items";
  const TGuiValue value = control.GetPropertyByName(property);
  std::vector<std::string> now = list ? ValueToStrings(value) : std::vector<std::string>{ValueToString(value)};
  auto [it, fresh] = kept_.try_emplace(&control);
  Texts& texts = it->second;
  if (fresh || now != texts.shown) texts.original = now;
  texts.shown.clear();
  for (const std::string& text : texts.original) texts.shown.push_back(text.empty() ? text : translate(text));
  if (texts.shown == now) return;
  if (list) {
    control.SetPropertyByName(property, texts.shown);
  } else {
    control.SetPropertyByName(property, texts.shown.front());
  }
}

}  // namespace zb

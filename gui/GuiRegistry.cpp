#include "gui/GuiRegistry.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiPaint.h"
#include "gui/GuiRadioButton.h"

namespace zb {

const std::array<std::string_view, TGuiRegistry::kCount>& TGuiRegistry::Names() {
  static constexpr std::array<std::string_view, kCount> kNames = {
      "TGuiForm",     "TGuiEdit",   "TGuiLabel", "TGuiListBox", "TGuiRadioButton",
      "TGuiCheckBox", "TGuiButton", "TGuiGauge", "TGuiPaint",   "TGuiButtonEdit"};
  return kNames;
}

int TGuiRegistry::IndexOf(std::string_view className) {
  for (int i = 0; i < kCount; ++i) {
    if (SameTextAscii(Names()[i], className)) return i;
  }
  return -1;
}

TGuiControl* TGuiRegistry::CreateControl(std::string_view className, TGuiControl& parent) {
  switch (IndexOf(className)) {
    case 0: return &TGuiControl::Create<TGuiForm>(parent);
    case 1: return &TGuiControl::Create<TGuiEdit>(parent);
    case 2: return &TGuiControl::Create<TGuiLabel>(parent);
    case 3: return &TGuiControl::Create<TGuiListBox>(parent);
    case 4: return &TGuiControl::Create<TGuiRadioButton>(parent);
    case 5: return &TGuiControl::Create<TGuiCheckBox>(parent);
    case 6:
    case 9: return &TGuiControl::Create<TGuiButton>(parent);
    case 7: return &TGuiControl::Create<TGuiGauge>(parent);
    case 8: return &TGuiControl::Create<TGuiPaint>(parent);
    default: return nullptr;
  }
}

}  // namespace zb

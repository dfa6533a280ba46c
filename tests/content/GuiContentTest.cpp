#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiPaint.h"
#include "gui/GuiTaskbar.h"

namespace zb {
namespace {

// The built Data/gfx.zbx holds every form, button and field the screens look up, all hidden.
class GuiContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.SetBounds(0, 0, 800, 600);  // as the GUI's owner sets it
    ASSERT_TRUE(root_.LoadFromFile(std::filesystem::path(ZB_GAME_DIR) / "Data" / "gfx.zbx"));
  }
  template <class T>
  T* Find(const std::string& name) {
    return dynamic_cast<T*>(root_.FindControl(name));
  }
  TGuiTaskbar root_;
};

TEST_F(GuiContentTest, EveryScreenFormIsATopLevelHiddenForm) {
  const char* forms[] = {"scr_exittomm", "scr_entername", "scr_mainmenu",      "scr_help",
                         "scr_options",  "scr_highscore", "scr_clear",         "scr_exitgame",
                         "scr_gameover", "scr_choosedif", "scr_stagecomplete", "scr_create",
                         "scr_change",   "scr_delete",    "scr_yourscoreis",   "scr_sendscore",
                         "scr_sound",    "scr_graphics",  "scr_controls",      "scr_speech",
                         "scr_ycountry", "scr_editor",    "scr_ownlevels"};
  EXPECT_EQ(root_.ControlCount(), static_cast<int>(std::size(forms)));
  for (const char* name : forms) {
    TGuiForm* form = Find<TGuiForm>(name);
    ASSERT_NE(form, nullptr) << name;
    EXPECT_EQ(form->Parent(), &root_) << name;
    EXPECT_FALSE(form->Visible()) << name;
    EXPECT_LE(form->AbsoluteRect().Right, 800) << name;
    EXPECT_LE(form->AbsoluteRect().Bottom, 600) << name;
  }
  EXPECT_EQ(root_.FocusIndex, -1);
  // The closing screens are placed at Left 225 or 304 and must fit either way.
  for (const char* name : {"scr_yourscoreis", "scr_ycountry", "scr_sendscore"}) {
    EXPECT_LE(304 + Find<TGuiForm>(name)->Width(), 800) << name;
  }
}

TEST_F(GuiContentTest, EveryButtonOfTheScreensExistsInItsForm) {
  const std::pair<const char*, const char*> buttons[] = {{"b_mainmenu_startgame", "scr_mainmenu"},
                                                         {"b_mainmenu_highscore", "scr_mainmenu"},
                                                         {"b_mainmenu_options", "scr_mainmenu"},
                                                         {"b_mainmenu_help", "scr_mainmenu"},
                                                         {"b_mainmenu_exit", "scr_mainmenu"},
                                                         {"b_mainmenu_presshere", "scr_mainmenu"},
                                                         {"b_mainmenu_logo", "scr_mainmenu"},
                                                         {"b_exit_yes", "scr_exitgame"},
                                                         {"b_exit_no", "scr_exitgame"},
                                                         {"b_help_back", "scr_help"},
                                                         {"b_help_previous", "scr_help"},
                                                         {"b_help_next", "scr_help"},
                                                         {"b_highscore_back", "scr_highscore"},
                                                         {"b_highscore_clear", "scr_highscore"},
                                                         {"b_highscore_view", "scr_highscore"},
                                                         {"b_highscore_easy", "scr_highscore"},
                                                         {"b_highscore_medium", "scr_highscore"},
                                                         {"b_highscore_hard", "scr_highscore"},
                                                         {"b_clear_yes", "scr_clear"},
                                                         {"b_clear_no", "scr_clear"},
                                                         {"b_change_back", "scr_change"},
                                                         {"b_change_delete", "scr_change"},
                                                         {"b_change_create", "scr_change"},
                                                         {"b_create_create", "scr_create"},
                                                         {"b_delete_yes", "scr_delete"},
                                                         {"b_delete_no", "scr_delete"},
                                                         {"b_entername_create", "scr_entername"},
                                                         {"b_options_back", "scr_options"},
                                                         {"b_options_graphics", "scr_options"},
                                                         {"b_options_sound", "scr_options"},
                                                         {"b_options_controls", "scr_options"},
                                                         {"b_sound_back", "scr_sound"},
                                                         {"b_sound_musicmin", "scr_sound"},
                                                         {"b_sound_musicmax", "scr_sound"},
                                                         {"b_sound_fxmax", "scr_sound"},
                                                         {"b_sound_fxmin", "scr_sound"},
                                                         {"b_graphics_back", "scr_graphics"},
                                                         {"b_fullscreen", "scr_graphics"},
                                                         {"b_antialias", "scr_graphics"},
                                                         {"b_controls_back", "scr_controls"},
                                                         {"b_controls_default", "scr_controls"},
                                                         {"b_exitmm_yes", "scr_exittomm"},
                                                         {"b_exitmm_no", "scr_exittomm"},
                                                         {"b_yourscore_next", "scr_yourscoreis"},
                                                         {"b_sendscore_yes", "scr_sendscore"},
                                                         {"b_sendscore_no", "scr_sendscore"},
                                                         {"b_choosedif_back", "scr_choosedif"},
                                                         {"b_choosedif_easy", "scr_choosedif"},
                                                         {"b_choosedif_medium", "scr_choosedif"},
                                                         {"b_choosedif_hard", "scr_choosedif"},
                                                         {"b_stagecomplete_next", "scr_stagecomplete"},
                                                         {"b_ycountry_next", "scr_ycountry"},
                                                         {"b_speech_skip", "scr_speech"},
                                                         {"b_speech_next", "scr_speech"}};
  for (const auto& [name, form] : buttons) {
    TGuiButton* button = Find<TGuiButton>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->Parent(), root_.FindControl(form)) << name;
    EXPECT_FALSE(button->Caption.empty()) << name;
    // Inside its form, and on top of whatever shares its place.
    EXPECT_EQ(button->ClipRect(), button->AbsoluteRect()) << name;
    TGuiControl* screen = root_.FindControl(form);
    const bool shown = button->Visible();
    screen->Show();
    button->Show();
    EXPECT_EQ(root_.ControlAt({button->AbsoluteRect().Left + 2, button->AbsoluteRect().Top + 2}), button)
        << name;
    button->SetVisible(shown);
    screen->Hide();
  }
}

TEST_F(GuiContentTest, FieldsTheScreensFill) {
  for (const char* name : {"edit_name1", "edit_name", "e_ycountry"}) {
    ASSERT_NE(Find<TGuiEdit>(name), nullptr) << name;
    EXPECT_EQ(Find<TGuiEdit>(name)->TagNumber(), 0) << name;
  }
  for (const char* name : {"spec1", "spec2", "spec3"}) {
    ASSERT_NE(Find<TGuiEdit>(name), nullptr) << name;
    EXPECT_EQ(Find<TGuiEdit>(name)->TagNumber(), 1) << name;
  }
  for (const char* name : {"bar_music", "bar_fx"}) {
    TGuiGauge* gauge = Find<TGuiGauge>(name);
    ASSERT_NE(gauge, nullptr) << name;
    EXPECT_LE(gauge->MinValue, 0);
    EXPECT_GE(gauge->MaxValue, 250);
  }
  ASSERT_NE(Find<TGuiListBox>("players"), nullptr);
  EXPECT_TRUE(Find<TGuiListBox>("players")->Items.empty());
  for (const char* name : {"hello", "delete_name", "sc_score", "yourscore"}) {
    EXPECT_NE(Find<TGuiLabel>(name), nullptr) << name;
  }
  for (int i = 1; i <= 10; ++i) {
    for (const std::string prefix : {"n", "name", "score"}) {
      EXPECT_NE(Find<TGuiLabel>(prefix + std::to_string(i)), nullptr) << prefix << i;
    }
  }
  for (const char* name : {"ts_1", "ts_2", "ts_3"}) {
    ASSERT_NE(root_.FindControl(name), nullptr) << name;
    EXPECT_NE(root_.FindControl(name)->FillByName("Bkgrnd"), nullptr) << name;
  }
}

struct ManifestImage {
  std::string key;
  int width, height;
};

// The images of the source manifest in image-list order: what "@key" indices of the layouts name.
std::vector<ManifestImage> ManifestImages() {
  std::ifstream in(std::filesystem::path(ZB_SOURCE_DIR) / "assets" / "art" / "images.manifest");
  std::vector<ManifestImage> images;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind, key, file;
    ManifestImage image{};
    if (fields >> kind >> key >> file >> image.width >> image.height && kind == "image") {
      image.key = key;
      images.push_back(image);
    }
  }
  return images;
}

void EveryControl(TGuiControl& parent, const std::function<void(TGuiControl&)>& visit) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    visit(*parent.GetControl(i));
    EveryControl(*parent.GetControl(i), visit);
  }
}

TEST_F(GuiContentTest, ButtonsAndFormsShowPicturesDrawnForTheirSize) {
  const std::vector<ManifestImage> images = ManifestImages();
  ASSERT_GT(images.size(), 100u);
  auto imageOf = [&](int32_t index) -> const ManifestImage* {
    return index >= 0 && index < static_cast<int32_t>(images.size()) ? &images[static_cast<size_t>(index)]
                                                                      : nullptr;
  };
  int buttons = 0;
  EveryControl(root_, [&](TGuiControl& control) {
    if (auto* button = dynamic_cast<TGuiButton*>(&control); button && control.Name.starts_with("b_")) {
      ++buttons;
      const ManifestImage* image = imageOf(button->ImageIndex);
      ASSERT_NE(image, nullptr) << control.Name;
      EXPECT_EQ(image->width, control.Width()) << control.Name << " shows " << image->key;
      EXPECT_EQ(image->height, control.Height()) << control.Name << " shows " << image->key;
      if (image->key.starts_with("btn_")) {
        EXPECT_EQ(button->NormalGlyph, 0) << control.Name;
        EXPECT_EQ(button->DisabledGlyph, 1) << control.Name;
        EXPECT_EQ(button->ClickedGlyph, 2) << control.Name;
      } else {
        // Only the two switches and the three tabs show a state instead.
        const bool isSwitch = control.Name == "b_fullscreen" || control.Name == "b_antialias";
        EXPECT_EQ(image->key.starts_with(isSwitch ? "switch_" : "tab_"), true) << control.Name;
        EXPECT_TRUE(isSwitch || control.Name.starts_with("b_highscore_")) << control.Name;
      }
    }
    // The buttons' and edits' backdrops are pictures now; only the high-score tints are painted.
    if (dynamic_cast<TGuiPaint*>(&control)) {
      EXPECT_TRUE(control.Name.starts_with("ts_")) << control.Name;
    }
  });
  EXPECT_GE(buttons, 54);
  // Every screen form but the full-screen help and story stands on a board drawn for its size.
  for (int i = 0; i < root_.ControlCount(); ++i) {
    auto* form = dynamic_cast<TGuiForm*>(root_.GetControl(i));
    ASSERT_NE(form, nullptr);
    if (form->Name == "scr_help" || form->Name == "scr_speech") continue;
    const ManifestImage* image = imageOf(form->ImageIndex);
    ASSERT_NE(image, nullptr) << form->Name;
    EXPECT_TRUE(image->key.starts_with("board_")) << form->Name;
    EXPECT_EQ(image->width, form->Width() - form->ShadowSize) << form->Name;
    EXPECT_EQ(image->height, form->Height() - form->ShadowSize) << form->Name;
    EXPECT_LE(form->CaptSize, 0) << form->Name << ": no caption bar over the board";
    for (uint32_t c : form->Bkgrnd.Colors) EXPECT_EQ(c, 0xFFFFFFFFu) << form->Name << ": untinted";
  }
}

}  // namespace
}  // namespace zb

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiTaskbar.h"
#include "gui/GuiTranslate.h"

namespace zb {
namespace {

const std::map<std::string, std::string> kWords = {{"Назад", "Back"}, {"Звук", "Sound"}, {"Легко", "Easy"}};

std::string English(const std::string& text) {
  const auto it = kWords.find(text);
  return it == kWords.end() ? text : it->second;
}
std::string Russian(const std::string& text) { return text; }

TEST(GuiTranslation, SwitchesEveryShownTextAndBackButLeavesWhatTheScreensWroteSince) {
  TGuiTaskbar root;
  TGuiForm& form = TGuiControl::Create<TGuiForm>(root);
  form.Caption = "Звук";
  TGuiButton& back = TGuiControl::Create<TGuiButton>(form);
  back.Caption = "Назад";
  TGuiLabel& title = TGuiControl::Create<TGuiLabel>(form);
  title.SetText("Звук");
  TGuiLabel& hello = TGuiControl::Create<TGuiLabel>(form);
  hello.SetText("Звук");
  TGuiListBox& list = TGuiControl::Create<TGuiListBox>(form);
  list.Items = {"Легко", "Назад", "Вася"};
  TGuiEdit& name = TGuiControl::Create<TGuiEdit>(form);
  name.SetPropertyByName("Text", std::string("Назад"));

  TGuiTranslation texts;
  texts.Apply(root, English);
  EXPECT_EQ(back.Caption, "Back");
  EXPECT_EQ(title.Text(), "Sound");
  EXPECT_EQ(list.Items, (std::vector<std::string>{"Easy", "Back", "Вася"}));
  EXPECT_EQ(form.Caption, "Звук");  // never drawn
  EXPECT_EQ(ValueToString(name.GetPropertyByName("Text")), "Назад");  // typed by the player

  // A screen writes a label in the language of the moment; a switch does not bring back the file's text.
  hello.SetText("Hello, Vasya!");
  list.Items = {"Petya"};
  texts.Apply(root, Russian);
  EXPECT_EQ(back.Caption, "Назад");
  EXPECT_EQ(title.Text(), "Звук");
  EXPECT_EQ(hello.Text(), "Hello, Vasya!");
  EXPECT_EQ(list.Items, std::vector<std::string>{"Petya"});
  texts.Apply(root, English);
  texts.Apply(root, English);  // twice is once
  EXPECT_EQ(back.Caption, "Back");
  EXPECT_EQ(title.Text(), "Sound");
}

}  // namespace
}  // namespace zb

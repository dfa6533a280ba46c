#include "screens/LanguageSwitch.h"

#include <algorithm>
#include <cstdio>

#include "engine/Language.h"
#include "gui/GuiButton.h"
#include "gui/GuiTaskbar.h"
#include "persist/LanguageSetting.h"
#include "screens/ScreenContext.h"

namespace zb {
namespace {

std::filesystem::path SettingPath(const TScreenContext& ctx) {
  return ctx.Folders.User.empty() ? std::filesystem::path() : ctx.Folders.User / kLanguageFileName;
}

// The button shows the language in itself, whatever the catalogue says of the word "Русский".
void ShowLanguageName(TScreenContext& ctx) {
  if (auto* button = dynamic_cast<TGuiButton*>(ctx.GuiBase.FindControl("b_options_language"))) {
    button->Caption = ctx.Play.Language.Name();
  }
}

// The pictures with words in the language shown: Data/lang/CODE.zbx, and the share page's in
// wdata/lang/CODE/. A language without them shows the Russian ones.
void ShowPictures(TScreenContext& ctx) {
  const std::string& code = ctx.Play.Language.Code();
  const std::filesystem::path set =
      ctx.Play.Language.IsOriginal() ? std::filesystem::path() : ctx.ContentPath(std::string(kLanguageFolder) + "/" + code + ".zbx");
  if (!ctx.Pictures.Show(ctx.Images, ctx.Archive, set)) {
    std::fprintf(stderr, "zumbala: the pictures in \"%s\" cannot be shown: %s\n", code.c_str(), ctx.Pictures.Error().c_str());
  }
  ctx.Share.SetLanguage(code);
}

}  // namespace

void StartLanguage(TScreenContext& ctx) {
  const std::vector<std::string> available = AvailableLanguages(ctx.Folders.Content);
  std::string code = SettingPath(ctx).empty() ? std::string() : ReadLanguageSetting(SettingPath(ctx), available);
  if (code.empty()) code = ctx.Folders.DesktopLanguage;
  if (std::find(available.begin(), available.end(), code) == available.end()) code = std::string(TLanguage::kOriginal);
  SwitchLanguage(ctx, code);
}

bool SwitchLanguage(TScreenContext& ctx, const std::string& code) {
  TLanguage language;
  bool shown = code == TLanguage::kOriginal;
  if (!shown) {
    const std::filesystem::path file = ctx.ContentPath(std::string(kLanguageFolder) + "/" + code + ".mo");
    std::string error;
    if (std::optional<TLanguage> loaded = LoadLanguage(code, file, &error)) {
      language = std::move(*loaded);
      shown = true;
    } else {
      std::fprintf(stderr, "zumbala: the texts in \"%s\" cannot be read (%s); they stay Russian\n",
                   file.string().c_str(), error.c_str());
    }
  }
  ctx.Play.Language = std::move(language);
  const TLanguage& now = ctx.Play.Language;
  ctx.GuiTexts.Apply(ctx.GuiBase.Taskbar(), [&now](const std::string& text) { return now.TrCp1251(text); });
  ShowLanguageName(ctx);
  ShowPictures(ctx);
  return shown;
}

void ChooseNextLanguage(TScreenContext& ctx) {
  ctx.PlaySound("check");
  const std::vector<std::string> available = AvailableLanguages(ctx.Folders.Content);
  auto it = std::find(available.begin(), available.end(), ctx.Play.Language.Code());
  const std::string next = it == available.end() || ++it == available.end() ? available.front() : *it;
  if (!SwitchLanguage(ctx, next)) return;
  if (ctx.Folders.CanSave && !SettingPath(ctx).empty() && !WriteLanguageSetting(SettingPath(ctx), next)) {
    std::fprintf(stderr, "zumbala: the language choice cannot be kept in \"%s\"\n", SettingPath(ctx).string().c_str());
  }
}

}  // namespace zb

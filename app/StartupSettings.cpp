#include "app/StartupSettings.h"

#include <string>
#include <system_error>

#include "engine/Language.h"
#include "persist/Config.h"

namespace zb {

void ReadSettingsAtStart(TScreenContext& ctx) {
  const std::filesystem::path file = ctx.ConfigPath();
  if (file.empty()) return;
  // A player's folder that could not be made holds no file; the message about the folder says
  // all there is to say.
  std::error_code ec;
  if (!ctx.Folders.CanSave && !std::filesystem::is_directory(ctx.Folders.User, ec)) return;
  const ConfigFileResult read = ReadConfig(ctx.Settings, file);
  if (read.missing) return;
  platform::Desktop& desktop = ctx.Platform.GetDesktop();
  const TLanguage& language = ctx.Play.Language;
  if (!read.ok) {
    ctx.SettingsWritable = false;
    desktop.ShowMessageBox("Zumbala", language.Tr("Не удалось прочитать настройки: ") +
                                          ConfigErrorReason(read.code, true, {}, language) +
                                          language.Tr(". Настройки этой игры не будут сохранены."));
    return;
  }
  // Where nothing is saved, nothing is written over either.
  if (!read.damaged || !ctx.Folders.CanSave) return;
  const ConfigFileResult kept = KeepDamagedConfig(file);
  if (kept.ok) {
    desktop.ShowMessageBox("Zumbala", language.Tr(
        "Файл настроек \"Config.cfg\" повреждён и прочитан не полностью. Он сохранён как \"Config.cfg.bad\", а игра запишет новый."));
    return;
  }
  ctx.SettingsWritable = false;
  desktop.ShowMessageBox("Zumbala", language.Tr(
        "Файл настроек \"Config.cfg\" повреждён и прочитан не полностью, а сохранить его копию не удалось: ") +
                                        ConfigErrorReason(kept.code, false, kept.failedFile, language) +
                                        language.Tr(". Настройки этой игры не будут сохранены."));
}

}  // namespace zb

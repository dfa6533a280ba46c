#include "app/StartupSettings.h"

#include <string>
#include <system_error>

#include "engine/Cp1251.h"
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
  if (!read.ok) {
    ctx.SettingsWritable = false;
    desktop.ShowMessageBox("Zumbala", Utf8ToCp1251("Не удалось прочитать настройки: ") +
                                          ConfigErrorReason(read.code, true) +
                                          Utf8ToCp1251(". Настройки этой игры не будут сохранены."));
    return;
  }
  // Where nothing is saved, nothing is written over either.
  if (!read.damaged || !ctx.Folders.CanSave) return;
  const std::string damaged = "\"" + file.filename().string() + "\"";
  const ConfigFileResult kept = KeepDamagedConfig(file);
  if (kept.ok) {
    desktop.ShowMessageBox("Zumbala", Utf8ToCp1251("Файл настроек " + damaged + " повреждён и прочитан не полностью. "
                                                   "Он сохранён как \"" + file.filename().string() + kDamagedSuffix +
                                                   "\", а игра запишет новый."));
    return;
  }
  ctx.SettingsWritable = false;
  desktop.ShowMessageBox("Zumbala", Utf8ToCp1251("Файл настроек " + damaged +
                                                 " повреждён и прочитан не полностью, а сохранить его копию не "
                                                 "удалось: ") +
                                        ConfigErrorReason(kept.code, false, kept.failedFile) +
                                        Utf8ToCp1251(". Настройки этой игры не будут сохранены."));
}

}  // namespace zb

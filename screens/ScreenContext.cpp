#include "screens/ScreenContext.h"

#include "engine/Cp1251.h"
#include "persist/Config.h"

namespace zb {

bool IsSpecialKey(uint32_t code) {
  return code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 || code == 46;
}

std::filesystem::path TScreenContext::ConfigPath() const {
  return Folders.User.empty() ? std::filesystem::path() : Folders.User / "Config.cfg";
}

std::filesystem::path TScreenContext::LinkPath(const std::string& name) const {
  if (!Folders.User.empty()) {
    std::error_code ec;
    const std::filesystem::path own = Folders.User / name;
    if (std::filesystem::is_regular_file(own, ec)) return own;
  }
  return Folders.Content / name;
}

bool SaveSettings(TScreenContext& ctx) {
  ctx.Settings.FullScreen = !ctx.Device.Windowed();
  ctx.Settings.Antialias = ctx.MyCanvas.Antialias();
  // Where nothing can be saved the player was told at start-up; only the settings in memory change.
  if (!ctx.Folders.CanSave || ctx.ConfigPath().empty() || !ctx.SettingsWritable) return false;
  const ConfigFileResult written = WriteConfig(ctx.Settings, ctx.ConfigPath());
  if (written.ok) return true;
  if (!ctx.SettingsSaveFailed) {
    ctx.SettingsSaveFailed = true;
    ctx.Platform.GetDesktop().ShowMessageBox(
        "Zumbala", ctx.Play.Language.Tr("Не удалось сохранить настройки: ") +
                        ConfigErrorReason(written.code, false, written.failedFile, ctx.Play.Language));
  }
  return false;
}

}  // namespace zb

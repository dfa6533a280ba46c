#include "app/GameFolders.h"

#include <unistd.h>

namespace zb {
namespace fs = std::filesystem;

namespace {

constexpr const char* kGameName = "zumbala";

std::string Unsaved(const fs::path& folder, const std::string& reason) {
  return "Your players, scores and settings cannot be saved: the folder \"" + folder.string() + "\" " + reason +
         ". The game runs, but nothing will be kept when it closes.";
}

}  // namespace

TGameFolders ChooseFolders(const TFolderFacts& facts) {
  TGameFolders folders;
  const fs::path installed = (facts.ProgramFolder / ".." / "share" / kGameName).lexically_normal();
  if (facts.DataBeside || !facts.DataInShare) {
    folders.Content = facts.ProgramFolder;
  } else {
    folders.Content = installed;
  }
  if (facts.DataBeside && facts.ProgramFolderWritable && facts.ConfigBeside) {
    folders.User = facts.ProgramFolder;
    return folders;
  }
  // A relative $XDG_DATA_HOME is invalid and ignored, as the base directory rules ask.
  fs::path base;
  if (!facts.XdgDataHome.empty() && fs::path(facts.XdgDataHome).is_absolute()) {
    base = facts.XdgDataHome;
  } else if (!facts.Home.empty() && fs::path(facts.Home).is_absolute()) {
    base = fs::path(facts.Home) / ".local" / "share";
  } else {
    folders.CanSave = false;
    folders.Problem =
        "Your players, scores and settings cannot be saved: neither XDG_DATA_HOME nor HOME names a folder. "
        "The game runs, but nothing will be kept when it closes.";
    return folders;
  }
  folders.User = base / kGameName;
  return folders;
}

TFolderFacts ReadFolderFacts(const fs::path& programFolder, const char* xdgDataHome, const char* home) {
  std::error_code ec;
  TFolderFacts facts;
  facts.ProgramFolder = programFolder;
  facts.DataBeside = fs::is_directory(programFolder / "Data", ec);
  facts.DataInShare = fs::is_directory(programFolder / ".." / "share" / kGameName / "Data", ec);
  facts.ProgramFolderWritable = ::access(programFolder.c_str(), W_OK) == 0;
  facts.ConfigBeside = fs::is_regular_file(programFolder / "Config.cfg", ec);
  if (xdgDataHome != nullptr) facts.XdgDataHome = xdgDataHome;
  if (home != nullptr) facts.Home = home;
  return facts;
}

TGameFolders PrepareUserFolder(TGameFolders folders) {
  if (folders.User.empty()) return folders;
  std::error_code ec;
  fs::create_directories(folders.User, ec);
  if (ec || !fs::is_directory(folders.User, ec)) {
    folders.CanSave = false;
    folders.Problem = Unsaved(folders.User, "cannot be created (" + (ec ? ec.message() : "it is a file") + ")");
  } else if (::access(folders.User.c_str(), W_OK) != 0) {
    folders.CanSave = false;
    folders.Problem = Unsaved(folders.User, "cannot be written to");
  }
  return folders;
}

}  // namespace zb

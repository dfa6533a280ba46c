#pragma once

#include <filesystem>
#include <string>

#include "screens/ScreenContext.h"

namespace zb {

// What the choice of folders depends on, as found on the disk and in the environment.
struct TFolderFacts {
  std::filesystem::path ProgramFolder;  // the folder of the running program
  bool DataBeside = false;              // it holds Data/ (the build folder, a portable copy)
  bool DataInShare = false;             // ../share/zumbala/Data/ exists beside it (an installed copy)
  bool ProgramFolderWritable = false;
  bool ConfigBeside = false;            // it holds "Config.cfg"
  std::string XdgDataHome;              // $XDG_DATA_HOME, empty when unset
  std::string Home;                     // $HOME, empty when unset
};

// The content is read beside the program, else from ../share/zumbala; "Config.cfg" stays beside
// the program where a portable copy already keeps it in a writable folder, and otherwise lives
// in $XDG_DATA_HOME/zumbala (~/.local/share/zumbala). An installed tree is never written to.
// No folder for the player's files (no usable home) leaves User empty and CanSave false.
TGameFolders ChooseFolders(const TFolderFacts& facts);

// The facts for the program in `programFolder` with these environment values (null: unset).
TFolderFacts ReadFolderFacts(const std::filesystem::path& programFolder, const char* xdgDataHome, const char* home);

// Makes the user folder of the choice (on first start) and checks that it can be written; when
// it cannot, the game still reads what is there but saves nothing, and Problem says why.
TGameFolders PrepareUserFolder(TGameFolders folders);

}  // namespace zb

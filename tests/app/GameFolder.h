#pragma once

#include <filesystem>

namespace zb::test {

// Puts the built data archives and the GUI file into `folder`/Data (as links where the file
// system has them): the game does not start without them.
inline void InstallArchives(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  fs::create_directories(folder / "Data");
  for (const char* name : {"data.zbx", "data1.zbx", "gfx.zbx"}) {
    const fs::path source = fs::path(ZB_GAME_DIR) / "Data" / name;
    const fs::path target = folder / "Data" / name;
    std::error_code ec;
    fs::remove(target, ec);
    fs::create_symlink(source, target, ec);
    if (ec) fs::copy_file(source, target, fs::copy_options::overwrite_existing);
  }
}

// A game folder of links to the whole built game: every file of Data/, the sounds and wdata/;
// "Config.cfg" and the player's files are the folder's own.
inline void LinkWholeGame(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  fs::remove_all(folder);
  fs::create_directories(folder / "Data");
  const fs::path built = ZB_GAME_DIR;
  fs::create_directory_symlink(built / "Sounds", folder / "Sounds");
  fs::create_directory_symlink(built / "wdata", folder / "wdata");
  for (const auto& entry : fs::directory_iterator(built / "Data")) {
    fs::create_symlink(entry.path(), folder / "Data" / entry.path().filename());
  }
}

}  // namespace zb::test

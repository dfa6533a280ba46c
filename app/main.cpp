#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>

#include "app/Application.h"
#include "engine/platform/real/SdlPlatform.h"

namespace {

// The game folder: the working folder when it holds the data, else the program's own folder.
std::filesystem::path GameFolder() {
  std::error_code ec;
  if (std::filesystem::exists("Data", ec)) return ".";
  if (char* base = SDL_GetBasePath()) {
    std::filesystem::path folder(base);
    SDL_free(base);
    return folder;
  }
  return ".";
}

}  // namespace

int main(int /*argc*/, char** /*argv*/) {
  // Whatever escapes the game ends it with a message, not a signal.
  try {
    const std::filesystem::path folder = GameFolder();
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    const auto platform = zb::platform::CreateSdlPlatform();
    return zb::RunGame(*platform, ".");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zumbala: %s\n", e.what());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zumbala", e.what(), nullptr);
  } catch (...) {
    std::fprintf(stderr, "zumbala: an unknown error\n");
  }
  return 1;
}

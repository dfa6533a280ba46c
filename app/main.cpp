#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string_view>

#include "app/Application.h"
#include "engine/platform/real/SdlPlatform.h"

namespace {

// The folder of the running program, wherever it was started from.
std::filesystem::path ProgramFolder() {
  if (char* base = SDL_GetBasePath()) {
    std::filesystem::path folder(base);
    SDL_free(base);
    return folder;
  }
  std::error_code ec;
  return std::filesystem::current_path(ec);
}

}  // namespace

int main(int argc, char** argv) {
  const bool replay = argc == 3 && std::string_view(argv[1]) == "--replay";
  // What a launcher may add is no reason not to play.
  if (argc > 1 && !replay) std::fprintf(stderr, "zumbala: only --replay FILE is known; the rest is left aside\n");
  // Whatever escapes the game ends it with a message, not a signal.
  try {
    const auto platform = zb::platform::CreateSdlPlatform();
    if (replay) return zb::RunReplay(*platform, ProgramFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), argv[2]);
    return zb::RunGame(*platform, ProgramFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                       std::getenv("ZUMBALA_SCREEN_LOG"));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zumbala: %s\n", e.what());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zumbala", e.what(), nullptr);
  } catch (...) {
    std::fprintf(stderr, "zumbala: an unknown error\n");
  }
  return 1;
}

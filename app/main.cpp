#include <SDL.h>

#include <cstdlib>
#include <filesystem>

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

int main(int /*argc*/, char** /*argv*/) {
  const auto platform = zb::platform::CreateSdlPlatform();
  return zb::RunGame(*platform, ProgramFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>

#include "engine/FileRead.h"
#include "engine/platform/ImageFile.h"

namespace zb::platform {
namespace {

// Larger pictures than any screen of the game are refused before their pixels are copied.
constexpr int kMaxSide = 8192;
constexpr size_t kMaxFileBytes = size_t{64} << 20;

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

std::optional<DecodedImage> DecodeImageFile(const std::filesystem::path& file) {
  // Read through the file helper: a folder or a pipe is refused instead of read or waited on.
  const FileReadResult bytes = ReadFileText(file, kMaxFileBytes);
  if (!bytes.ok) return std::nullopt;
  SDL_RWops* source = SDL_RWFromConstMem(bytes.bytes.data(), static_cast<int>(bytes.bytes.size()));
  if (!source) return std::nullopt;
  SurfacePtr loaded(IMG_Load_RW(source, 1));
  if (!loaded || loaded->w <= 0 || loaded->h <= 0 || loaded->w > kMaxSide || loaded->h > kMaxSide) {
    return std::nullopt;
  }
  SurfacePtr argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb || SDL_LockSurface(argb.get()) != 0) return std::nullopt;
  DecodedImage image;
  image.width = argb->w;
  image.height = argb->h;
  image.argb.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  const auto* pixels = static_cast<const uint8_t*>(argb->pixels);
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(image.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                pixels + static_cast<size_t>(y) * static_cast<size_t>(argb->pitch),
                static_cast<size_t>(image.width) * sizeof(uint32_t));
  }
  SDL_UnlockSurface(argb.get());
  return image;
}

}  // namespace zb::platform

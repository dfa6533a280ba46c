// zbtool sounds and music: the effects and songs of the game's Sounds folder.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/zbtool/audio/Effects.h"
#include "tools/zbtool/audio/Songs.h"
#include "tools/zbtool/audio/Wav.h"
#include "tools/zbtool/audio/XmWriter.h"

namespace zb::tool {

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

double Dbfs(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -200.0; }

bool PrepareFolder(std::span<char* const> args, const char* command, std::filesystem::path& folder) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zbtool %s OUTDIR\n", command);
    return false;
  }
  folder = args[0];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return true;
}

}  // namespace

int RunSounds(std::span<char* const> args) {
  std::filesystem::path folder;
  if (!PrepareFolder(args, "sounds", folder)) return 1;
  for (const auto& recipe : audio::EffectRecipes()) {
    const audio::Signal signal = recipe.make();
    const std::filesystem::path path = folder / (std::string(recipe.name) + ".wav");
    if (!WriteBytes(path, audio::EncodeWav(signal))) {
      std::fprintf(stderr, "zbtool sounds: cannot write %s\n", path.string().c_str());
      return 1;
    }
    std::printf("%-14.*s %6.3f s  peak %6.1f dBFS  rms %6.1f dBFS\n", static_cast<int>(recipe.name.size()),
                recipe.name.data(), static_cast<double>(signal.size()) / audio::kRate, Dbfs(audio::Peak(signal)),
                Dbfs(audio::Rms(signal)));
  }
  return 0;
}

int RunMusic(std::span<char* const> args) {
  std::filesystem::path folder;
  if (!PrepareFolder(args, "music", folder)) return 1;
  for (const auto& recipe : audio::SongRecipes()) {
    audio::XmModule module;
    try {
      module = recipe.make();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "zbtool music: %.*s: %s\n", static_cast<int>(recipe.file.size()), recipe.file.data(),
                   e.what());
      return 1;
    }
    const std::vector<uint8_t> bytes = audio::EncodeXm(module);
    const std::filesystem::path path = folder / std::string(recipe.file);
    if (!WriteBytes(path, bytes)) {
      std::fprintf(stderr, "zbtool music: cannot write %s\n", path.string().c_str());
      return 1;
    }
    std::printf("%-5.*s %-24s %2zu orders %2zu patterns %2zu instruments %6.1f s %8zu bytes\n",
                static_cast<int>(recipe.file.size()), recipe.file.data(), module.name.c_str(), module.order.size(),
                module.patterns.size(), module.instruments.size(), audio::PlayingSeconds(module), bytes.size());
  }
  return 0;
}

}  // namespace zb::tool

#include "persist/ReplayStore.h"

#include <system_error>

#include "engine/FileRead.h"
#include "persist/Config.h"

namespace zb {

std::filesystem::path ReplayFolder(const std::filesystem::path& userFolder) { return userFolder / "replays"; }

std::filesystem::path BestReplayPath(const std::filesystem::path& userFolder, int difficulty) {
  static constexpr const char* kNames[] = {"best-easy.zbr", "best-medium.zbr", "best-hard.zbr"};
  return ReplayFolder(userFolder) / kNames[difficulty >= 0 && difficulty < 3 ? difficulty : 0];
}

TReplayReadResult ReadReplayFile(const std::filesystem::path& path) {
  const FileReadResult read = ReadFileText(path, kMaxReplayFileBytes);
  if (!read.ok) return {.Replay = std::nullopt, .Error = read.error};
  return DecodeReplay(read.bytes);
}

std::string KeepReplay(const std::filesystem::path& userFolder, const TReplay& replay) {
  const std::filesystem::path folder = ReplayFolder(userFolder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return "\"" + folder.generic_string() + "\" cannot be made: " + ec.message();
  const std::string bytes = EncodeReplay(replay);
  if (const ConfigFileResult last = WriteFileSafely(folder / "last.zbr", bytes); !last.ok) return last.error;
  const std::filesystem::path best = BestReplayPath(userFolder, replay.Difficulty);
  const TReplayReadResult kept = ReadReplayFile(best);
  if (kept.Replay && kept.Replay->FinalScore >= replay.FinalScore) return {};
  if (const ConfigFileResult written = WriteFileSafely(best, bytes); !written.ok) return written.error;
  return {};
}

}  // namespace zb

#include "persist/Checkpoint.h"

#include <cstring>
#include <string_view>
#include <system_error>

#include "engine/FileRead.h"
#include "persist/ByteCode.h"
#include "persist/Config.h"

namespace zb {
namespace {

constexpr std::string_view kMagic = "ZBCK";
constexpr size_t kPrefix = 6;

std::string CheckChain(const TReplay& cp) {
  if (!cp.Resume || cp.Earlier.empty()) return "the checkpoint holds no game to continue";
  if (cp.Frames != 0 || !cp.Steps.empty()) return "the checkpoint holds frames of its own";
  const TReplay& last = cp.Earlier.back();
  if (last.FinalLevel != cp.StartLevel || last.FinalScore != cp.StartScore) {
    return "the checkpoint's game does not end where the checkpoint starts";
  }
  for (const TReplay& segment : cp.Earlier) {
    if (segment.Difficulty != cp.Difficulty || segment.Name != cp.Name) {
      return "the checkpoint's game changes its difficulty or player";
    }
  }
  return {};
}

}  // namespace

std::string EncodeCheckpoint(const TReplay& checkpoint) {
  return bytecode::Prefix(kMagic, kCheckpointFormatVersion) + EncodeReplay(checkpoint);
}

TCheckpointReadResult DecodeCheckpoint(std::span<const uint8_t> bytes) {
  TCheckpointReadResult result;
  auto refuse = [&result](std::string why) {
    result.Error = std::move(why);
    return result;
  };
  if (bytes.empty()) return refuse("the checkpoint is empty");
  if (bytes.size() > kMaxCheckpointFileBytes) return refuse("the checkpoint is larger than any game makes");
  if (bytes.size() < kPrefix) {
    return refuse(std::memcmp(bytes.data(), kMagic.data(), bytes.size()) == 0 ? "the checkpoint is cut short"
                                                                              : "the file is not a checkpoint");
  }
  if (std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) return refuse("the file is not a checkpoint");
  const int version = bytes[4] | (bytes[5] << 8);
  if (version > kCheckpointFormatVersion) return refuse("the checkpoint was made by a newer game");
  if (version != kCheckpointFormatVersion) return refuse("the checkpoint's format is not known");
  TReplayReadResult chain = DecodeReplay(bytes.subspan(kPrefix));
  if (!chain.Replay) {
    return refuse(bytes.size() == kPrefix ? "the checkpoint is cut short" : "the checkpoint is damaged: " + chain.Error);
  }
  if (std::string why = CheckChain(*chain.Replay); !why.empty()) return refuse(std::move(why));
  result.Checkpoint = std::move(chain.Replay);
  return result;
}

TCheckpointReadResult DecodeCheckpoint(const std::string& bytes) {
  return DecodeCheckpoint(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

std::filesystem::path CheckpointPath(const std::filesystem::path& userFolder, std::string_view playerName) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name;
  for (const char c : playerName) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
      name.push_back(c);
    } else {
      name += {'_', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  // The name screen never lets an empty name through; a file for it is still one name.
  if (name.empty()) name = "_";
  return userFolder / "checkpoints" / (name + ".zbc");
}

TCheckpointReadResult ReadCheckpointFile(const std::filesystem::path& path) {
  const FileReadResult read = ReadFileText(path, kMaxCheckpointFileBytes);
  if (!read.ok) return {.Checkpoint = std::nullopt, .Missing = read.Missing(), .Error = read.error};
  return DecodeCheckpoint(read.bytes);
}

std::string WriteCheckpointFile(const std::filesystem::path& path, const TReplay& checkpoint) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) return "\"" + path.parent_path().generic_string() + "\" cannot be made: " + ec.message();
  const ConfigFileResult written = WriteFileSafely(path, EncodeCheckpoint(checkpoint));
  return written.ok ? std::string() : written.error;
}

void RemoveCheckpointFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

std::filesystem::path SetCheckpointAside(const std::filesystem::path& path) {
  std::filesystem::path aside = path;
  aside += ".bad";
  std::error_code ec;
  std::filesystem::rename(path, aside, ec);
  return ec ? std::filesystem::path() : aside;
}

}  // namespace zb

#include "persist/LevelSetArchive.h"

#include <zlib.h>

#include <algorithm>
#include <set>

#include "engine/FileRead.h"
#include "persist/ByteCode.h"
#include "persist/Config.h"

namespace zb {
namespace {

constexpr std::string_view kMagic = "ZLV1";
constexpr size_t kMaxNameBytes = 200;
constexpr size_t kMostDeflateRatio = 1032;

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(std::string& out, uint16_t v) {
  out += static_cast<char>(static_cast<uint8_t>(v));
  out += static_cast<char>(static_cast<uint8_t>(v >> 8));
}

// Reads little-endian numbers and byte runs off the front of an archive, never past its end.
class TReader {
 public:
  explicit TReader(std::string_view data) : data_(data) {}
  bool U16(uint32_t& v) { return Number(2, v); }
  bool U32(uint32_t& v) { return Number(4, v); }
  bool Bytes(size_t count, std::string_view& out) {
    if (data_.size() - at_ < count) return false;
    out = data_.substr(at_, count);
    at_ += count;
    return true;
  }
  std::string_view Rest() const { return data_.substr(at_); }

 private:
  bool Number(int bytes, uint32_t& v) {
    if (data_.size() - at_ < static_cast<size_t>(bytes)) return false;
    v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint32_t{static_cast<uint8_t>(data_[at_ + static_cast<size_t>(i)])} << (8 * i);
    at_ += static_cast<size_t>(bytes);
    return true;
  }
  std::string_view data_;
  size_t at_ = 0;
};

uint32_t Crc(std::string_view bytes) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes || name.front() == '.') return false;
  return std::ranges::none_of(name, [](char c) { return c == '/' || c == '\\' || static_cast<uint8_t>(c) < 32; });
}

std::string PackLevelSet(const std::vector<TArchivedFile>& files) {
  std::string out(kMagic);
  PutU32(out, static_cast<uint32_t>(files.size()));
  std::string contents;
  for (const TArchivedFile& file : files) {
    PutU16(out, static_cast<uint16_t>(file.Name.size()));
    out += file.Name;
    PutU32(out, static_cast<uint32_t>(file.Bytes.size()));
    PutU32(out, Crc(file.Bytes));
    contents += file.Bytes;
  }
  uLongf packed = compressBound(static_cast<uLong>(contents.size()));
  std::string deflated(packed, '\0');
  compress2(reinterpret_cast<Bytef*>(deflated.data()), &packed, reinterpret_cast<const Bytef*>(contents.data()),
            static_cast<uLong>(contents.size()), Z_BEST_COMPRESSION);
  deflated.resize(packed);
  out += deflated;
  return out;
}

bool UnpackLevelSet(std::string_view archive, std::vector<TArchivedFile>& files, std::string& error) {
  files.clear();
  auto fail = [&](const std::string& why) {
    files.clear();
    error = why;
    return false;
  };
  if (archive.size() > kMaxArchiveBytes) return fail("it is too large to be a level set");
  TReader in(archive);
  std::string_view magic;
  if (!in.Bytes(kMagic.size(), magic) || magic != kMagic) return fail("it is not a level set file");
  uint32_t count = 0;
  if (!in.U32(count) || count > kMaxArchivedFiles) return fail("its list of files is damaged");
  std::vector<uint32_t> sizes;
  std::vector<uint32_t> crcs;
  std::set<std::string, std::less<>> names;
  size_t total = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t nameBytes = 0;
    std::string_view name;
    uint32_t size = 0;
    uint32_t crc = 0;
    if (!in.U16(nameBytes) || !in.Bytes(nameBytes, name) || !in.U32(size) || !in.U32(crc)) {
      return fail("its list of files is cut short");
    }
    if (!IsPlainFileName(name)) return fail("it names a file outside its folder");
    if (!names.emplace(name).second) return fail("it names a file twice");
    if (size > kMaxArchivedFileBytes) return fail("a file in it is too large");
    total += size;
    files.push_back({std::string(name), {}});
    sizes.push_back(size);
    crcs.push_back(crc);
  }
  const std::string_view packed = in.Rest();
  // Deflate packs at most 1032 bytes into one: a list claiming more than the packed bytes can hold
  // is refused before the room for it is taken (a 100-byte file could otherwise ask for 256 MiB).
  if (total / kMostDeflateRatio > packed.size()) return fail("its contents are damaged");
  // Exactly `total` bytes must come out, and the stream must end there with the last packed byte.
  // Read as it inflates: a stream that goes wrong early takes none of the room its list claims.
  bytecode::TReader body(packed, total);
  for (size_t i = 0; i < files.size() && body.Ok(); ++i) files[i].Bytes = body.Raw(sizes[i]);
  if (!body.AtEnd()) return fail("its contents are damaged");
  for (size_t i = 0; i < files.size(); ++i) {
    if (Crc(files[i].Bytes) != crcs[i]) return fail("the file \"" + files[i].Name + "\" in it is damaged");
  }
  return true;
}

bool ReadSetFolder(const std::filesystem::path& folder, std::vector<TArchivedFile>& files, std::string& error) {
  files.clear();
  std::error_code ec;
  std::vector<std::string> names;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    names.push_back(it->path().filename().string());
  }
  if (ec) {
    error = "\"" + folder.generic_string() + "\" cannot be read: " + ec.message();
    return false;
  }
  std::ranges::sort(names);
  if (names.size() > kMaxArchivedFiles) {
    error = "\"" + folder.generic_string() + "\" holds more files than a level set may";
    return false;
  }
  for (const std::string& name : names) {
    if (!IsPlainFileName(name)) continue;
    const FileReadResult read = ReadFileText(folder / name, kMaxArchivedFileBytes);
    if (!read.ok) {
      error = read.error;
      return false;
    }
    files.push_back({name, read.bytes});
  }
  return true;
}

bool WriteSetFolder(const std::filesystem::path& folder, const std::vector<TArchivedFile>& files, std::string& error) {
  std::error_code ec;
  for (const TArchivedFile& file : files) {
    if (!IsPlainFileName(file.Name)) {
      error = "\"" + file.Name + "\" is no plain file name";
      return false;
    }
    if (std::filesystem::exists(std::filesystem::symlink_status(folder / file.Name, ec))) {
      error = "\"" + (folder / file.Name).generic_string() + "\" is there already";
      return false;
    }
  }
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "\"" + folder.generic_string() + "\" cannot be made: " + ec.message();
    return false;
  }
  for (const TArchivedFile& file : files) {
    const ConfigFileResult written = WriteFileSafely(folder / file.Name, file.Bytes);
    if (!written.ok) {
      error = written.error;
      return false;
    }
  }
  return true;
}

}  // namespace zb

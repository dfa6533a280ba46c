#include "engine/ArchiveDb.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/NameKeys.h"

namespace zb {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Deflate cannot expand data by more than about 1032:1; a larger claim is a broken header, and
// refusing it keeps a hostile size from reserving gigabytes.
constexpr uint64_t kMaxInflateRatio = 1032;

// Inflates `packed` to exactly `size` bytes into the room `grow(n)` gives (the start of n bytes,
// the bytes inflated so far kept). The room is taken as the bytes come out, doubling from four
// times the packed bytes, so a record that claims megabytes and goes wrong at its first byte costs
// only what it inflated. Returns the start of the record's bytes, or null when the stream is
// damaged, cut short or longer than `size`.
template <class Grow>
uint8_t* InflateExactly(const std::vector<uint8_t>& packed, size_t size, Grow&& grow) {
  const size_t firstRoom = std::max<size_t>(packed.size() * 4, 4096);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return nullptr;
  z.next_in = const_cast<Bytef*>(packed.data());
  z.avail_in = static_cast<uInt>(packed.size());
  uint8_t* base = nullptr;
  size_t room = 0;
  size_t done = 0;
  bool whole = false;
  for (;;) {
    if (done == room) {
      if (room == size) {
        // Full: only the end of the stream may follow.
        uint8_t extra = 0;
        z.next_out = &extra;
        z.avail_out = 1;
        whole = inflate(&z, Z_NO_FLUSH) == Z_STREAM_END && z.avail_out == 1;
        break;
      }
      room = std::min(size, std::max(room * 2, firstRoom));
      base = grow(room);
    }
    const auto given = static_cast<uInt>(std::min<size_t>(room - done, UINT32_MAX));
    z.next_out = base + done;
    z.avail_out = given;
    const int status = inflate(&z, Z_NO_FLUSH);
    done += given - z.avail_out;
    if (status == Z_STREAM_END) {
      whole = done == size;
      break;
    }
    if (status != Z_OK) break;
  }
  inflateEnd(&z);
  return whole ? base : nullptr;
}

}  // namespace

void TArchiveDb::SetFileName(std::filesystem::path fileName) {
  fileName_ = std::move(fileName);
  opened_ = false;
  tableStamp_.reset();
}

bool TArchiveDb::EnsureOpen() {
  if (opened_) return true;
  std::error_code ec;
  switch (openMode_) {
    case TOpenModes::opUpdate:
      opened_ = std::filesystem::exists(fileName_, ec) ? ReadTableFromFile() : CreateNew();
      break;
    case TOpenModes::opOverwrite:
      opened_ = CreateNew();
      break;
    case TOpenModes::opReadOnly:
      opened_ = ReadTableFromFile();
      break;
  }
  return opened_;
}

bool TArchiveDb::CreateNew() {
  entries_.clear();
  tableStamp_.reset();
  const uint8_t header[kHeaderSize] = {'Z', 'B', 'D', 'B', 0, 0, 0, 0, kHeaderSize, 0, 0, 0};
  FilePtr file(std::fopen(fileName_.c_str(), "wb"));
  if (!file) return false;
  const bool written = std::fwrite(header, 1, kHeaderSize, file.get()) == kHeaderSize;
  if (std::fclose(file.release()) != 0 || !written) return false;
  std::memcpy(header_.data(), header, kHeaderSize);
  fileSize_ = kHeaderSize;
  return true;
}

bool TArchiveDb::Fail(std::string reason) {
  lastError_ = std::move(reason);
  return false;
}

bool TArchiveDb::OpenFile(TReadFile& file) {
  std::error_code code;
  if (file.Open(fileName_, code)) return true;
  entries_.clear();
  tableStamp_.reset();
  return Fail(DescribeFileError(code));
}

bool TArchiveDb::ReadTableFromFile() {
  TReadFile file;
  return OpenFile(file) && ReadTable(file);
}

bool TArchiveDb::ReadTable(const TReadFile& file) {
  entries_.clear();
  tableStamp_.reset();
  fileSize_ = file.Size();
  if (!file.ReadAt(0, header_.data(), kHeaderSize)) return Fail("is shorter than its header");

  const uint32_t count = U32(&header_[4]);
  const uint64_t tableOffset = U32(&header_[8]);
  auto fail = [this] {
    entries_.clear();
    return Fail("has a broken record table");
  };
  if (count == 0) {
    tableStamp_ = file.Stamp();
    return true;
  }
  if (tableOffset > fileSize_) return fail();
  // Every row takes at least 8 bytes: a count beyond that is a broken file, not a reservation.
  if (count > (fileSize_ - tableOffset) / 8) return fail();
  entries_.resize(count);

  uint64_t position = tableOffset;
  for (TArchiveEntry& entry : entries_) {
    uint8_t word[4];
    if (!file.ReadAt(position, word, 4)) return fail();
    const uint32_t keyLength = U32(word);
    position += 4;
    if (keyLength > fileSize_ - position) return fail();
    entry.Key.resize(keyLength);
    if (keyLength > 0 && !file.ReadAt(position, entry.Key.data(), keyLength)) return fail();
    position += keyLength;
    if (!file.ReadAt(position, word, 4)) return fail();
    position += 4;
    entry.Offset = U32(word);
  }

  for (TArchiveEntry& entry : entries_) {
    uint8_t h[kRecordHeaderSize];
    if (uint64_t{entry.Offset} + kRecordHeaderSize > fileSize_ || !file.ReadAt(entry.Offset, h, kRecordHeaderSize)) {
      return fail();
    }
    entry.Type = U16(&h[0]);
    entry.UnpackedSize = U32(&h[2]);
    entry.StoredSize = U32(&h[6]);
    std::memcpy(&entry.Date, &h[10], 8);
    std::memcpy(entry.Digest.data(), &h[18], 16);
    entry.Secure = U16(&h[34]);
    std::memcpy(entry.InitVector.data(), &h[36], 8);
  }
  tableStamp_ = file.Stamp();
  return true;
}

int TArchiveDb::RecordType(int index) const {
  const TArchiveEntry* entry = Entry(index);
  return entry ? entry->Type : 0;
}

std::string TArchiveDb::RecordKey(int index) const {
  const TArchiveEntry* entry = Entry(index);
  return entry ? entry->Key : std::string("[invalid-record-#]");
}

const TArchiveEntry* TArchiveDb::Entry(int index) const {
  if (index < 0 || index >= RecordCount()) return nullptr;
  return &entries_[static_cast<size_t>(index)];
}

int TArchiveDb::IndexOfKey(std::string_view key) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (SameName(entries_[i].Key, key)) return static_cast<int>(i);
  }
  return -1;
}

bool TArchiveDb::ReadRecord(std::string_view key, TMemoryStream& stream) {
  return ReadFound([&] { return IndexOfKey(key); }, stream);
}

bool TArchiveDb::ReadRecordAt(int index, TMemoryStream& stream) {
  return ReadFound([&] { return index < RecordCount() ? index : -1; }, stream);
}

template <typename Find>
bool TArchiveDb::ReadFound(Find&& find, TMemoryStream& stream) {
  std::vector<uint8_t> stored;
  TArchiveEntry entry;
  {
    TReadFile file;
    if (!OpenFile(file)) return false;
    // Loading reads every record in turn: an unchanged file keeps the table it gave.
    if (tableStamp_ != file.Stamp() && !ReadTable(file)) return false;
    const int index = find();
    if (index < 0) return Fail("has no such record");
    entry = entries_[static_cast<size_t>(index)];
    const uint64_t dataOffset = uint64_t{entry.Offset} + kRecordHeaderSize;
    if (entry.StoredSize > fileSize_ - dataOffset) return Fail("ends inside the record");
    stored.resize(entry.StoredSize);
    if (!file.ReadAt(dataOffset, stored.data(), stored.size())) return Fail("cannot be read inside the record");
  }
  // Enciphered records need a key this system never has: their bytes are used as stored and
  // then fail to inflate.

  if (entry.UnpackedSize == 0) return Fail("holds an empty record");
  if (entry.UnpackedSize > uint64_t{entry.StoredSize} * kMaxInflateRatio + 64) {
    return Fail("holds a record whose unpacked size is impossible");
  }
  // Appending (the usual case) inflates straight into the stream, which is cut back on failure;
  // otherwise a scratch buffer keeps the stream's bytes untouched until the record is verified.
  const size_t size = entry.UnpackedSize;
  const bool append = stream.Position() == stream.Size();
  const size_t oldSize = stream.Size();
  std::vector<uint8_t> scratch;
  size_t extended = 0;
  uint8_t* target = InflateExactly(stored, size, [&](size_t room) {
    if (!append) {
      scratch.resize(room);
      return scratch.data();
    }
    const size_t before = extended;
    extended = room;
    return stream.Extend(room - before) - before;
  });
  auto fail = [&](const char* reason) {
    if (append) stream.Truncate(oldSize);
    return Fail(reason);
  };
  if (target == nullptr) return fail("holds a record that does not inflate to its size");

  uint8_t digest[EVP_MAX_MD_SIZE];
  unsigned int digestLength = 0;
  if (EVP_Digest(target, size, digest, &digestLength, EVP_md5(), nullptr) != 1 || digestLength != 16 ||
      std::memcmp(digest, entry.Digest.data(), 16) != 0) {
    return fail("holds a record whose MD5 digest does not match");
  }
  if (append) {
    stream.SetPosition(oldSize + size);
    return true;
  }
  return stream.Write(scratch.data(), size) == size;
}

std::string Quoted(const TArchiveDb& archive) { return "\"" + archive.FileName().generic_string() + "\""; }

std::string ArchiveError(const TArchiveDb& archive) { return Quoted(archive) + " " + archive.LastError() + "."; }

}  // namespace zb

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileRead.h"
#include "engine/MemoryStream.h"

namespace zb {

enum class TOpenModes { opUpdate, opOverwrite, opReadOnly };

// Record types the engine interprets.
inline constexpr int kRecordImage = 1;
inline constexpr int kRecordFont = 3;

// One row of the record table together with its record header.
struct TArchiveEntry {
  std::string Key;  // raw single-byte characters
  uint32_t Offset = 0;
  uint16_t Type = 0;
  uint32_t UnpackedSize = 0;
  uint32_t StoredSize = 0;
  double Date = 0.0;
  std::array<uint8_t, 16> Digest{};
  uint16_t Secure = 0;
  std::array<uint8_t, 8> InitVector{};
};

// A data archive file: a header, a table of named records, and per record a 44-byte header
// followed by a zlib stream. Every failure is a false result; the file is never held open.
class TArchiveDb {
 public:
  static constexpr uint32_t kHeaderSize = 12;
  static constexpr uint32_t kRecordHeaderSize = 44;

  TArchiveDb() = default;
  TArchiveDb(std::filesystem::path fileName, TOpenModes mode) : fileName_(std::move(fileName)), openMode_(mode) {}

  const std::filesystem::path& FileName() const { return fileName_; }
  // A new name closes the archive; the next access reopens it.
  void SetFileName(std::filesystem::path fileName);
  TOpenModes OpenMode() const { return openMode_; }
  void SetOpenMode(TOpenModes mode) { openMode_ = mode; }

  bool Opened() const { return opened_; }
  // True when already open; otherwise opens by OpenMode and remembers the result.
  bool EnsureOpen();

  int RecordCount() const { return static_cast<int>(entries_.size()); }
  // 0 for an index out of range.
  int RecordType(int index) const;
  // "[invalid-record-#]" for an index out of range.
  std::string RecordKey(int index) const;
  // The first index whose key equals `key` with A-Z lowered on both sides, or -1.
  int IndexOfKey(std::string_view key) const;
  // nullptr for an index out of range.
  const TArchiveEntry* Entry(int index) const;
  uint64_t FileSize() const { return fileSize_; }

  // Reads, inflates and verifies the record and writes its bytes to `stream` at its position.
  // Re-reads the table first when the file is not the one it was read from or has changed since;
  // on any failure nothing is written and the result is false.
  bool ReadRecord(std::string_view key, TMemoryStream& stream);
  // The same for the record at `index` of the re-read table, for tools that list every record
  // (a later record with an earlier one's key cannot be reached by key).
  bool ReadRecordAt(int index, TMemoryStream& stream);
  // Why the last open or record read failed, to follow the file name in a message
  // ("holds a record whose MD5 digest does not match").
  const std::string& LastError() const { return lastError_; }

 private:
  bool CreateNew();
  bool OpenFile(TReadFile& file);
  bool ReadTable(const TReadFile& file);
  bool ReadTableFromFile();
  bool Fail(std::string reason);
  // Re-reads the table, picks the entry with `find` and reads it.
  template <typename Find>
  bool ReadFound(Find&& find, TMemoryStream& stream);

  std::filesystem::path fileName_;
  TOpenModes openMode_ = TOpenModes::opUpdate;
  bool opened_ = false;
  uint64_t fileSize_ = 0;
  std::array<uint8_t, kHeaderSize> header_{};
  std::vector<TArchiveEntry> entries_;
  std::optional<TFileStamp> tableStamp_;  // the file the table was read from, as it was then
  std::string lastError_;
};

// The archive's file name in quotes, and the same followed by its LastError as a sentence
// ("\"Data/data.zbx\" does not exist.").
std::string Quoted(const TArchiveDb& archive);
std::string ArchiveError(const TArchiveDb& archive);

}  // namespace zb

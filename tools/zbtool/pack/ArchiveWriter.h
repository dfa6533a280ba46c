#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

struct ArchiveRecord {
  std::string key;  // CP1251 bytes
  uint16_t type = 0;
  std::vector<uint8_t> data;  // uncompressed
};

// The bytes of a data archive: the 12-byte header, each record's 44-byte header (with the MD5 of
// its data) and zlib stream in order, then the record table.
std::vector<uint8_t> EncodeArchive(const std::vector<ArchiveRecord>& records);

// Writes through a temporary file and a rename, so a failed run leaves no half archive behind.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace zb::tool

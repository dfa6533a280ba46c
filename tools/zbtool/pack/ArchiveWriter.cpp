#include "tools/zbtool/pack/ArchiveWriter.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace zb::tool {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Size32(size_t size) {
  if (size > 0xFFFFFFFFu) throw std::length_error("an archive is limited to 4 GiB");
  return static_cast<uint32_t>(size);
}

}  // namespace

std::vector<uint8_t> EncodeArchive(const std::vector<ArchiveRecord>& records) {
  std::vector<uint8_t> out = {'Z', 'B', 'D', 'B'};
  Put32(out, Size32(records.size()));
  Put32(out, 0);  // the table offset, known at the end
  std::vector<uint32_t> offsets;
  for (const ArchiveRecord& r : records) {
    offsets.push_back(Size32(out.size()));
    uLongf packedSize = compressBound(r.data.size());
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, r.data.data(), r.data.size(), Z_BEST_COMPRESSION) != Z_OK) {
      throw std::runtime_error("zlib could not compress \"" + r.key + "\"");
    }
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    EVP_Digest(r.data.data(), r.data.size(), digest, &digestLength, EVP_md5(), nullptr);
    Put16(out, r.type);
    Put32(out, Size32(r.data.size()));
    Put32(out, Size32(packedSize));
    out.insert(out.end(), 8, 0);  // time stamp 0.0: the same sources give the same archive
    out.insert(out.end(), digest, digest + 16);
    Put16(out, 0);                // plain, not enciphered
    out.insert(out.end(), 8, 0);  // no initialisation vector
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
  }
  const uint32_t table = Size32(out.size());
  for (int i = 0; i < 4; ++i) out[8 + i] = static_cast<uint8_t>(table >> (8 * i));
  for (size_t i = 0; i < records.size(); ++i) {
    Put32(out, Size32(records[i].key.size()));
    out.insert(out.end(), records[i].key.begin(), records[i].key.end());
    Put32(out, offsets[i]);
  }
  Size32(out.size());
  return out;
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::error_code ec;
      std::filesystem::remove(temporary, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  return !ec;
}

}  // namespace zb::tool

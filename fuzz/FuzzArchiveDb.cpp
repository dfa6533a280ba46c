// Opens arbitrary bytes as a data archive and reads its records, by key and by index, the way the
// image, font and particle loaders do.
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/ArchiveDb.h"
#include "fuzz/FuzzFile.h"

namespace {

// The archive opens its file for every record it reads. A record's reading does not depend on
// its place in the table (the whole table is read when the archive opens), and the inputs a long
// run keeps hold more and more records: reading up to 64 of them, twice each, halved the driver's
// speed over ten minutes.
constexpr int kRecordsRead = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zb::fuzz::ScratchFile file;
  file.Write(data, size);
  zb::TArchiveDb archive(file.Path(), zb::TOpenModes::opReadOnly);
  if (!archive.EnsureOpen()) return 0;
  for (int i = 0; i < archive.RecordCount() && i < kRecordsRead; ++i) {
    zb::TMemoryStream byKey;
    archive.ReadRecord(archive.RecordKey(i), byKey);
    zb::TMemoryStream byIndex;
    byIndex.Write("x", 1);
    byIndex.SetPosition(0);  // not appending: the scratch-buffer path
    archive.ReadRecordAt(i, byIndex);
  }
  archive.RecordKey(-1);
  archive.RecordType(archive.RecordCount());
  return 0;
}

// Opens arbitrary bytes as a data archive and reads every record, by key and by index, the
// way the image, font and particle loaders do.
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/ArchiveDb.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zb::fuzz::ScratchFile file;
  file.Write(data, size);
  zb::TArchiveDb archive(file.Path(), zb::TOpenModes::opReadOnly);
  if (!archive.EnsureOpen()) return 0;
  for (int i = 0; i < archive.RecordCount() && i < 64; ++i) {
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

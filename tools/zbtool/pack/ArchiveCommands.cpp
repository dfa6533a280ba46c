// zbtool pack, list and export: building data archives from manifests and looking inside them.

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/FileRead.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/PngWriter.h"
#include "tools/zbtool/pack/ArchiveWriter.h"
#include "tools/zbtool/pack/FontBaker.h"
#include "tools/zbtool/pack/ImageRecord.h"
#include "tools/zbtool/pack/Manifest.h"

namespace zb::tool {
namespace {

namespace fs = std::filesystem;

int Fail(const std::string& message) {
  std::fprintf(stderr, "zbtool: %s\n", message.c_str());
  return 1;
}

bool ReadBytes(const fs::path& path, std::vector<uint8_t>& bytes) {
  const FileReadResult file = ReadFileText(path);
  if (!file.ok) return false;
  bytes = AsBytes(file.bytes);
  return true;
}

bool BuildRecord(const ManifestRecord& m, ArchiveRecord& record, std::string& error) {
  record.key = m.key;
  switch (m.kind) {
    case ManifestRecord::Kind::Image: {
      record.type = kRecordImage;
      Picture sheet;
      return ReadPng(m.file, sheet, error) &&
             EncodeImageRecord(sheet, m.patternWidth, m.patternHeight, m.visibleWidth, m.visibleHeight, m.count,
                               record.data, error);
    }
    case ManifestRecord::Kind::Font:
      record.type = kRecordFont;
      return BakeFont(m.file, m.pixelSize, m.spacing, record.data, error);
    case ManifestRecord::Kind::Raw:
      record.type = static_cast<uint16_t>(m.type);
      if (!ReadBytes(m.file, record.data)) {
        error = "cannot read \"" + m.file.string() + "\"";
        return false;
      }
      return true;
  }
  return false;
}

std::string Hex(const std::array<uint8_t, 16>& digest) {
  static const char* const kDigits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : digest) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

}  // namespace

int RunPack(std::span<char* const> args) {
  std::vector<std::string> positional;
  std::vector<fs::path> roots;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string arg = args[i];
    if (arg == "--root") {
      if (i + 1 >= args.size()) return Fail("pack: --root needs a folder");
      roots.emplace_back(args[++i]);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return Fail("usage: zbtool pack MANIFEST OUT.zbx [--root DIR]...");
  const Manifest manifest = ReadManifest(positional[0], roots);
  if (!manifest.error.empty()) return Fail(manifest.error);
  std::vector<ArchiveRecord> records(manifest.records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    std::string error;
    if (!BuildRecord(manifest.records[i], records[i], error)) return Fail(manifest.records[i].where + ": " + error);
  }
  if (!WriteFileAtomically(positional[1], EncodeArchive(records))) {
    return Fail("cannot write \"" + positional[1] + "\"");
  }
  return 0;
}

int RunList(std::span<char* const> args) {
  if (args.size() != 1) return Fail("usage: zbtool list ARCHIVE");
  TArchiveDb archive(args[0], TOpenModes::opReadOnly);
  if (!archive.EnsureOpen()) return Fail("cannot read the record table: " + ArchiveError(archive));
  for (int i = 0; i < archive.RecordCount(); ++i) {
    const TArchiveEntry entry = *archive.Entry(i);
    TMemoryStream stream;
    const bool ok = archive.ReadRecordAt(i, stream);
    std::printf("%d\t", i);
    std::fwrite(entry.Key.data(), 1, entry.Key.size(), stdout);
    std::printf("\t%u\t%u\t%u\t%s\t%s\n", entry.Type, entry.UnpackedSize, entry.StoredSize, Hex(entry.Digest).c_str(),
                ok ? "ok" : "bad");
  }
  return 0;
}

int RunExport(std::span<char* const> args) {
  if (args.size() != 4) return Fail("usage: zbtool export ARCHIVE KEY PATTERN OUT.png");
  TArchiveDb archive(args[0], TOpenModes::opReadOnly);
  const std::string key = args[1];
  if (!archive.EnsureOpen()) return Fail("cannot read the record table: " + ArchiveError(archive));
  const int index = archive.IndexOfKey(key);
  if (index < 0) return Fail("no record \"" + key + "\" in \"" + std::string(args[0]) + "\"");
  const int type = archive.RecordType(index);
  if (type != kRecordImage && type != kRecordFont) {
    return Fail("record \"" + key + "\" is of type " + std::to_string(type) + ", not an image or a font");
  }
  TMemoryStream stream;
  if (!archive.ReadRecord(key, stream)) return Fail("record \"" + key + "\" is bad");
  stream.SetPosition(0);
  TGfxFont font;
  TGfxImage image;
  const bool loaded = type == kRecordImage ? image.LoadFromStream(stream) : font.LoadFromStream(stream);
  const TGfxImage& pictures = type == kRecordImage ? image : font.Image;
  if (!loaded) return Fail("record \"" + key + "\" does not hold a valid " + (type == kRecordImage ? "image" : "font"));

  char* end = nullptr;
  const long pattern = std::strtol(args[2], &end, 10);
  if (*args[2] == '\0' || *end != '\0' || pattern < 0 || pattern >= pictures.PatternCount()) {
    return Fail("pattern \"" + std::string(args[2]) + "\" is not one of 0.." +
                std::to_string(pictures.PatternCount() - 1));
  }
  const int p = static_cast<int>(pattern);
  const int perTexture = pictures.PatternsPerTexture();
  const int texture = p / perTexture, q = p % perTexture;
  const int left = (q % pictures.PatternsPerRow()) * pictures.PatternWidth() +
                   (pictures.PatternWidth() - pictures.VisibleWidth()) / 2;
  const int top = (q / pictures.PatternsPerRow()) * pictures.PatternHeight() +
                  (pictures.PatternHeight() - pictures.VisibleHeight()) / 2;
  const std::span<const uint32_t> pixels = pictures.Pixels(texture);
  if (pixels.empty()) return Fail("pattern " + std::to_string(p) + " lies in a texture the record lacks");
  std::vector<uint32_t> area;
  for (int y = 0; y < pictures.VisibleHeight(); ++y) {
    const auto row = pixels.begin() + static_cast<ptrdiff_t>(top + y) * pictures.TextureWidth() + left;
    area.insert(area.end(), row, row + pictures.VisibleWidth());
  }
  if (!WritePng(args[3], area.data(), pictures.VisibleWidth(), pictures.VisibleHeight())) {
    return Fail("cannot write \"" + std::string(args[3]) + "\"");
  }
  return 0;
}

int RunRecord(std::span<char* const> args) {
  if (args.size() != 3) return Fail("usage: zbtool record ARCHIVE KEY OUT");
  TArchiveDb archive(args[0], TOpenModes::opReadOnly);
  TMemoryStream stream;
  if (!archive.EnsureOpen() || !archive.ReadRecord(args[1], stream)) {
    return Fail("the record \"" + std::string(args[1]) + "\": " + ArchiveError(archive));
  }
  std::FILE* out = std::fopen(args[2], "wb");
  const bool written = out != nullptr && std::fwrite(stream.Data(), 1, stream.Size(), out) == stream.Size();
  if (out != nullptr && std::fclose(out) != 0) return Fail("cannot write \"" + std::string(args[2]) + "\"");
  return written ? 0 : Fail("cannot write \"" + std::string(args[2]) + "\"");
}

}  // namespace zb::tool

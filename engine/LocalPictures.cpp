#include "engine/LocalPictures.h"

#include <utility>

namespace zb {
namespace {

bool HoldsImage(const TArchiveDb& archive, std::string_view name) {
  if (!archive.Opened()) return false;
  const int index = archive.IndexOfKey(name);
  return index >= 0 && archive.RecordType(index) == kRecordImage;
}

}  // namespace

bool TLocalPictures::Holds(std::string_view name) const { return HoldsImage(set_, name); }

bool TLocalPictures::LoadOwn(TGfxImages& images, TArchiveDb& own, TGfxImage& image, TMemoryStream& buffer) {
  const int index = own.EnsureOpen() ? own.IndexOfKey(image.Name) : -1;
  if (index < 0) {
    error_ = "The image \"" + image.Name + "\" is not in " + Quoted(own) + ".";
    return false;
  }
  if (images.LoadRecord(own, index, image, buffer)) return true;
  error_ = images.LoadError();
  return false;
}

bool TLocalPictures::Show(TGfxImages& images, TArchiveDb& own, const std::filesystem::path& set) {
  error_.clear();
  TArchiveDb previous = std::move(set_);
  set_ = TArchiveDb();
  if (!set.empty()) {
    set_ = TArchiveDb(set, TOpenModes::opReadOnly);
    if (!set_.EnsureOpen()) {
      error_ = ArchiveError(set_);
      set_ = TArchiveDb();
    }
  }
  bool ok = error_.empty();
  TMemoryStream buffer;
  for (int i = 0; i < images.Count(); ++i) {
    TGfxImage& image = *images.ImageAt(i);
    if (!image.Created()) continue;  // loads through LoadRecord
    const std::string name = image.Name;
    if (Holds(name)) {
      if (images.LoadRecord(set_, set_.IndexOfKey(name), image, buffer)) continue;
      // A picture the set cannot give is the game's own.
      error_ = images.LoadError();
      ok = false;
      image.Name = name;
      LoadOwn(images, own, image, buffer);
    } else if (HoldsImage(previous, name) && !LoadOwn(images, own, image, buffer)) {
      ok = false;
    }
  }
  return ok;
}

bool TLocalPictures::LoadRecord(TGfxImages& images, TArchiveDb& own, int index, TGfxImage& image,
                                TMemoryStream& buffer) {
  const std::string name = own.RecordKey(index);
  if (Holds(name) && images.LoadRecord(set_, set_.IndexOfKey(name), image, buffer)) return true;
  return images.LoadRecord(own, index, image, buffer);
}

}  // namespace zb

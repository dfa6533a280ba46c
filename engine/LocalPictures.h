#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/ArchiveDb.h"
#include "engine/GfxImages.h"
#include "engine/MemoryStream.h"

namespace zb {

// The pictures with words of one language: an archive whose image records stand in for the records
// of the same names in the game's own archive, which holds the Russian ones.
class TLocalPictures {
 public:
  // Shows the pictures of `set` (an empty path: the game's own) in every loaded image of `images` it
  // names, and gives the game's own pictures back to those the previous set named. An image not
  // loaded yet takes its picture through LoadRecord. False, with why in Error(), when the set or one
  // of its pictures cannot be read: the images it concerns keep the game's own pictures.
  bool Show(TGfxImages& images, TArchiveDb& own, const std::filesystem::path& set);
  // Loads record `index` of `own` into `image`, or the set's picture of that name when it has one.
  bool LoadRecord(TGfxImages& images, TArchiveDb& own, int index, TGfxImage& image, TMemoryStream& buffer);
  // Whether the set has a picture named `name`.
  bool Holds(std::string_view name) const;
  const std::string& Error() const { return error_; }

 private:
  bool LoadOwn(TGfxImages& images, TArchiveDb& own, TGfxImage& image, TMemoryStream& buffer);

  TArchiveDb set_;  // no file name: the game's own pictures
  std::string error_;
};

}  // namespace zb

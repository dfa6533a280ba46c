#include "app/Form1.h"
#include "app/StartupSettings.h"

#include <algorithm>

#include "engine/NameKeys.h"

// Start-up's loading: what the first frames show before the first frame, the rest in slices
// between the logo's frames.
namespace zb {

void TForm1::DeviceInitialize(TGfxDevice& /*sender*/, bool& success) {
  // Only what the first frames show is loaded here; the rest follows between the logo's frames.
  success = OpenArchive(Archive) && OpenArchive(Archive2) && LoadFirstImages();
  Timer.SetEnabled(success);
}

bool TForm1::OpenArchive(TArchiveDb& archive) {
  if (archive.EnsureOpen()) return true;
  startupError_ = ArchiveError(archive);
  return false;
}

bool TForm1::LoadFirstImages() {
  // Every image gets its place in record order now: the GUI names images by their place in the list.
  std::vector<TPendingImage>& later = pendingImages_;
  for (int i = 0; i < Archive.RecordCount(); ++i) {
    if (Archive.RecordType(i) != kRecordImage) continue;
    TGfxImage& image = Images.Add();
    image.Name = Archive.RecordKey(i);
    later.emplace_back(i, &image);
  }
  // The logo and the pointer are the first frames' pictures.
  for (const std::string_view name : {"logo", "cursor"}) {
    const auto first = std::ranges::find_if(later, [&](const auto& slot) { return SameName(slot.second->Name, name); });
    if (first == later.end()) continue;
    if (!Images.LoadRecord(Archive, first->first, *first->second, loadBuffer_)) {
      startupError_ = Images.LoadError();
      return false;
    }
    later.erase(first);
  }
  return true;
}

void TForm1::QueueLoading() {
  // The songs first, for the menu song to start with the logo; then what takes longest in one
  // piece, while the logo is still dark.
  Loader.Add([this] {
    Sound.LoadMusic(ContentPath("Sounds"), Settings.MusicVolume);
    return std::string();
  });
  for (int effect = 0; effect < kSoundCount; ++effect) {
    Loader.Add([this, effect] {
      Sound.LoadSound(ContentPath("Sounds"), effect);
      return std::string();
    });
  }
  for (TArchiveDb* archive : {&Archive, &Archive2}) {
    for (int i = 0; i < archive->RecordCount(); ++i) {
      if (archive->RecordType(i) != kRecordFont) continue;
      Loader.Add([this, archive, i] {
        return Fonts.LoadRecord(*archive, i, loadBuffer_) ? std::string() : Fonts.LoadError();
      });
    }
  }
  // 20. The closing page, which measures its text with a font; without one, quitting closes at once.
  Loader.Add([this] {
    ShareScreen.Load();
    return std::string();
  });
  for (const auto& [record, image] : pendingImages_) {
    Loader.Add([this, record, image] {
      // The language's own picture where it has one.
      return Screen.Pictures.LoadRecord(Images, Archive, record, *image, loadBuffer_) ? std::string()
                                                                                      : Images.LoadError();
    });
  }
  // 18. The particle manager with the image "particles" and every template of the archive.
  Loader.Add([this] {
    Core.Particles.Canvas = &MyCanvas;
    Core.Particles.Image = Images.FindImage("particles");
    Core.Particles.LoadFromArchive(Archive);
    loadBuffer_ = TMemoryStream();
    pendingImages_.clear();
    return std::string();
  });
}

void TForm1::LoadSlice() {
  if (!Screen.Loading) return;
  Loader.Run(platform_.GetClock(), kLoadSliceMicros);
  LoadingProgressed();
}

bool TForm1::FinishLoading() {
  Loader.RunAll();
  return LoadingProgressed();
}

bool TForm1::LoadingProgressed() {
  if (closed_) return false;
  if (Loader.Failed()) return RefuseStart(StartupFailureText(Loader.Error()));
  Screen.Loading = !Loader.Done();
  if (!Screen.Loading) created_ = true;
  return true;
}

}  // namespace zb
